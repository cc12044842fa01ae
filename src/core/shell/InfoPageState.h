// InfoPageState: what the information page shows of the current flight, and when the session
// comments move between the page's editor and the sessions.
#pragma once

#include <string>

class CDataBlock;
class CDataModule;
class CDocument;
class CMainDoc;
class CObject;
class CView;
class CommentsEditor;

// The page's controls as a refresh leaves them. A disabled field is empty.
struct InfoPageFields {
    bool flightEnabled = false; // the five flight fields and the Calculations button
    bool commentsEnabled = false;
    std::string date;
    std::string sampleRate; // milliseconds
    std::string version;
    std::string flightTime;
    std::string maxAltitude; // in the display unit

    bool operator==(const InfoPageFields&) const = default;
};

// Keeps the page's current flight, current session and loaded session (the one whose comments
// are in the editor); none of them is owned. Comments move only when the current session
// changes (the old ones stored, the new ones loaded), on HINT_SAVE (stored) and on a refresh
// that finds another session current than the loaded one (loaded). They are stored only when
// the editor reports them modified, so a session the user did not edit keeps its bytes.
class InfoPageState {
public:
    // editor is not owned and must outlive this object.
    explicit InfoPageState(CommentsEditor& editor) : m_editor(editor) {}

    // The page's reaction to a hint: HINT_CLEAR forgets everything without storing; HINT_SAVE
    // stores; HINT_FLIGHT_REMOVING and HINT_SESSION_REMOVING forget the record removed (and a
    // current flight inside a removed session); HINT_SELECTION switches to the item. Other
    // hints are ignored. True when the page must refresh.
    [[nodiscard]] bool OnUpdate(CMainDoc& doc, long hint, CObject* object);

    // Enables the editor exactly when a session is current and loads its comments when another
    // session's are shown; the flight fields of the current flight.
    [[nodiscard]] InfoPageFields Refresh(const CMainDoc& doc);

    // The user changed the editor's text: the project is modified at once, so that closing or
    // opening another project asks to save it.
    void OnCommentsModified(CDocument& doc) const;

    // Calculations: the current flight's formulas edited through the document's CUiServices.
    // On OK both are stored, the flight's derived values dropped, HINT_FLIGHT_CHANGED sent with
    // the flight and, when it is shown in the graph, HINT_GRAPH_DATA (sender: sender). True
    // when the page must refresh.
    [[nodiscard]] bool EditFormulas(CMainDoc& doc, CView* sender);

    [[nodiscard]] CDataBlock* GetCurrentFlight() const { return m_pCurrentFlight; }
    [[nodiscard]] CDataModule* GetCurrentSession() const { return m_pCurrentSession; }
    [[nodiscard]] CDataModule* GetLoadedSession() const { return m_pLoadedSession; }

private:
    void SwitchTo(CMainDoc& doc, CObject* item);
    // The editor's comments into session when modified (the document then marked modified).
    void Store(CDocument& doc, CDataModule* session);

    CommentsEditor& m_editor;
    CDataModule* m_pCurrentSession = nullptr;
    CDataModule* m_pLoadedSession = nullptr;
    CDataBlock* m_pCurrentFlight = nullptr;
};
