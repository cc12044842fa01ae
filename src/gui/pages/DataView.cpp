#include "pages/DataView.h"

#include "shell/MainDoc.h"

KUBO_IMPLEMENT_DYNAMIC(CDataView, CCmdTarget)

CDataView::CDataView(QWidget* parent) : QWidget(parent) {}

CDataView::~CDataView() = default;

CMainDoc* CDataView::GetMainDoc() const {
    return DynamicDowncast<CMainDoc>(GetDocument());
}
