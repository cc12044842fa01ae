// A CView that records every update it is told, for checking hint sequences.
#pragma once

#include "framework/Document.h"
#include "framework/View.h"

#include <vector>

class RecordingView : public CView {
public:
    struct Update {
        CView* sender;
        long hint;
        CObject* object;
        bool operator==(const Update&) const = default;
    };

    void OnUpdate(CView* sender, long hint, CObject* object) override {
        m_updates.push_back({sender, hint, object});
    }

    [[nodiscard]] std::vector<long> Hints() const {
        std::vector<long> hints;
        for (const Update& u : m_updates)
            hints.push_back(u.hint);
        return hints;
    }
    [[nodiscard]] const std::vector<Update>& Updates() const { return m_updates; }
    void Clear() { m_updates.clear(); }

private:
    std::vector<Update> m_updates;
};
