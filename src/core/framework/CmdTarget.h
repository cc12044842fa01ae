// CCmdTarget: an object that handles numbered commands and answers their update-UI queries.
#pragma once

#include "framework/CmdUI.h"
#include "framework/Object.h"

#include <initializer_list>

class CCmdTarget : public CObject {
    KUBO_DECLARE_DYNAMIC(CCmdTarget)
public:
    // One entry for both sides of a command: with pCmdUI null the command is carried out, with
    // pCmdUI set only its menu/toolbar state is asked for. Returns true when this target
    // handles the id (the caller then stops routing). The base handles nothing.
    virtual bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI);
};

// A declarative command table for OnCmdMsg overrides:
//
//   bool CMainDoc::OnCmdMsg(unsigned id, CCmdUI* ui) {
//       static const CommandEntry<CMainDoc> map[] = {
//           {cmd::DataReadData, cmd::DataReadData, &CMainDoc::OnDataReadData, nullptr}, ...};
//       return RouteCommand(*this, map, id, ui) || CDocument::OnCmdMsg(id, ui);
//   }
//
// An entry covers the ids first..last. A command calls onCommand with the id; an update-UI
// query calls onUpdate, or enables the item when the entry has no update handler (a command
// with a handler is available unless its handler says otherwise).
template <class T>
struct CommandEntry {
    unsigned first;
    unsigned last;
    void (T::*onCommand)(unsigned id);
    void (T::*onUpdate)(CCmdUI& ui);
};

template <class T, std::size_t N>
bool RouteCommand(T& target, const CommandEntry<T> (&map)[N], unsigned id, CCmdUI* ui) {
    for (const CommandEntry<T>& entry : map) {
        if (id < entry.first || id > entry.last)
            continue;
        if (ui) {
            if (entry.onUpdate)
                (target.*entry.onUpdate)(*ui);
            else if (entry.onCommand)
                ui->Enable(true);
            else
                continue;
            return true;
        }
        if (!entry.onCommand)
            continue;
        (target.*entry.onCommand)(id);
        return true;
    }
    return false;
}
