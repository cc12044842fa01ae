// CDataViewGraph: the Graph page — the shown flights drawn in one chart, with per-flight offsets,
// zoom with a history, data cursors and the coordinate line, measurement mode, the context menu,
// pictures and printing.
#pragma once

#include "pages/DataView.h"
#include "pages/GraphChartBuilder.h"
#include "pages/ZoomHistory.h"
#include "shell/MainDoc.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class CDataBlock;
class CDataModule;
class CMeasurementTool;
class CPESciEx;
class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QTimer;

// The page is also its document's chart link: the project's chart settings are exported from its
// chart when saving and imported into it when opening.
class CDataViewGraph : public CDataView, public CMainDoc::ChartLink {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CDataViewGraph)
public:
    // What the page asks of the rest of the program; whoever makes the page sets them. Without
    // them the page works alone: a refresh is a rebuild at the next turn of the event loop, no
    // measurement tool, no " CE" faces, and popups run as themselves.
    struct Services {
        // The deferred refresh: at the next idle moment the shown flags are synchronised with the
        // tree and the views told HINT_GRAPH_DATA (the application's forced synchronisation).
        std::function<void()> requestRefresh;
        // Whether such a synchronisation is scheduled and has not run yet.
        std::function<bool()> refreshPending;
        // The measurement tool pane, opened first when create is set; null when it is not open.
        std::function<CMeasurementTool*(bool create)> measurementTool;
        // Whether the translated resource library is loaded (the " CE" font faces).
        std::function<bool()> resourceLibrary;
        // Runs a popup menu at a screen point and answers the chosen action (QMenu::exec).
        std::function<QAction*(QMenu& menu, QPoint screen)> runPopup;
        // Runs a modal dialog and answers its result (QDialog::exec).
        std::function<int(QDialog& dialog)> runDialog;
        // Adds an annotation to a flight at a point of the chart (seconds and metres, offsets
        // included) for the context menu: base is 30400 (data point), 30500 (horizontal line),
        // 30600 (vertical line) or 30700 (edit the flight's annotations). True when an
        // annotation was added. Unset, those menu items are shown disabled.
        std::function<bool(CDataBlock& flight, unsigned base, double seconds, double metres)>
            annotate;
    };

    explicit CDataViewGraph(QWidget* parent = nullptr);
    ~CDataViewGraph() override;

    void SetServices(Services services);

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;
    // ResetChart, the project's chart settings imported (and the document's block emptied), the
    // page's switches and font faces, then the rebuild.
    void OnInitialUpdate() override;
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // CMainDoc::ChartLink.
    [[nodiscard]] std::vector<std::uint8_t> ExportChartState() override;
    void ImportChartState(std::span<const std::uint8_t> state) override;

    // 1 when the time axis is in seconds ("sec" checked), else 60.
    [[nodiscard]] int GetTimeDivisor() const;
    [[nodiscard]] CPESciEx& GetChart() const { return *m_pChart; }
    // Whether the chart is shown (at least one flight drawn).
    [[nodiscard]] bool IsChartVisible() const;
    // The flights drawn, one per subset in subset order; an entry is null from the moment its
    // flight is being removed until the next rebuild.
    [[nodiscard]] const std::vector<CDataBlock*>& GetShownFlights() const { return m_shown; }
    // The flight whose offsets the offset controls edit, or null.
    [[nodiscard]] CDataBlock* GetCurrentFlight() const { return m_pCurrentFlight; }
    [[nodiscard]] int GetCursorMode() const { return m_nCursorMode; }
    [[nodiscard]] int GetZoomStyle() const { return m_nZoomStyle; }
    [[nodiscard]] int GetZoomLevel() const { return m_zoomHistory.Level(); }
    [[nodiscard]] bool IsMeasuring() const { return m_bMeasuring; }
    // How many times the chart content was built (for checking that one action builds once).
    [[nodiscard]] int GetRebuildCount() const { return m_nRebuilds; }

    // The page's chart base settings; the shown list emptied.
    void ResetChart();
    // The chart drawn anew from the shown flights, at once.
    void RebuildChart();
    // A rebuild at the next turn of the event loop after any pending refresh, so that several
    // requests from one user action build once.
    void ScheduleRebuild();
    void ApplyInteractionMode();
    // The offset edits into the current flight's pending offset; a change asks for the deferred
    // refresh.
    void CommitOffsets(bool reportErrors = true);
    // The offset controls loaded from the current flight.
    void RefreshOffsetControls();
    // The context menu at a screen point (ignored outside the chart's plotting area).
    void ShowContextMenu(QPoint screen);
    // Shifts every shown flight so that the point (seconds, metres) becomes the origin, keeping
    // the window's size centred on it.
    void ApplyOffsetsAt(double seconds, double metres);
    void ResetAllOffsets();
    void ApplyOffsets();

protected:
    // In measurement mode, Enter on the chart sets From, then To, at the data cursor.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void MeasureAtCursor();
    void ConnectControls();
    void OnChartNotify(int code);
    void OnCursorMoved();
    void OnMouseMoved();
    void OnDragStarted();
    void OnDragFinished();
    void OnTimeUnitClicked();
    void OnOffsetsClicked();
    void OnSliderChanged(QSlider* slider, int position);
    void OnSliderReleased();
    void ForgetFlight(const CDataBlock* flight);
    void ForgetSession(const CDataModule* session);
    void RequestRefresh();
    void Repaint(bool erase);
    void SetOffsetControlsEnabled(bool on);
    [[nodiscard]] GraphChartOptions ChartOptions() const;
    [[nodiscard]] bool ResourceLibrary() const;
    [[nodiscard]] CMeasurementTool* MeasurementTool(bool create) const;
    [[nodiscard]] std::string PointText(double x, double y) const;
    [[nodiscard]] std::vector<CDataBlock*> ContextFlights() const;
    void RunContextCommand(unsigned id, const std::vector<CDataBlock*>& flights, double seconds,
                           double metres);
    void ExportPicture();

    // Commands.
    void OnGraphSavePicture(unsigned id);
    void OnGraphCopyPicture(unsigned id);
    void OnGraphSettings(unsigned id);
    void OnZoomStyle(unsigned id);
    void OnZoomOut(unsigned id);
    void OnZoomAll(unsigned id);
    void OnCursorMode(unsigned id);
    void OnNextSubset(unsigned id);
    void OnMeasurementMode(unsigned id);
    void OnApplyOffsets(unsigned id);
    void OnFilePrint(unsigned id);
    void OnUpdateVisible(CCmdUI& ui);
    void OnUpdateZoomStyle(CCmdUI& ui);
    void OnUpdateZoomOut(CCmdUI& ui);
    void OnUpdateCursorMode(CCmdUI& ui);
    void OnUpdateMeasurementMode(CCmdUI& ui);
    void OnUpdateApplyOffsets(CCmdUI& ui);
    void OnUpdateFilePrintSetup(CCmdUI& ui);

    Services m_services;
    QLabel* m_pCoordinates = nullptr;
    QSlider* m_pAltitudeSlider = nullptr;
    QSlider* m_pTimeSlider = nullptr;
    QLabel* m_pNoData = nullptr;
    QCheckBox* m_pSeconds = nullptr;
    QCheckBox* m_pOffsets = nullptr;
    QLineEdit* m_pTimeEdit = nullptr;
    QLabel* m_pTimeUnit = nullptr;
    QLineEdit* m_pAltitudeEdit = nullptr;
    QLabel* m_pAltitudeUnit = nullptr;
    CPESciEx* m_pChart = nullptr;
    QTimer* m_pRebuildTimer = nullptr;

    CDataBlock* m_pCurrentFlight = nullptr;
    std::vector<CDataBlock*> m_shown;
    // Flights announced as being removed since the last rebuild: never drawn again.
    std::vector<const CDataBlock*> m_removing;
    std::vector<std::uint8_t> m_measurementUndo;
    int m_nCursorMode = 5;
    int m_nZoomStyle = 0;
    CZoomHistory m_zoomHistory;
    bool m_bMeasuring = false;
    bool m_bKeyboardTo = false; // the next Enter in measurement mode sets To, not From
    bool m_bRefreshing = false; // the controls are being loaded: their signals are not the user's
    int m_nRebuilds = 0;
};
