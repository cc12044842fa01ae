#include "shell/MainDoc.h"

#include "data/DataModule.h"

KUBO_IMPLEMENT_DYNAMIC(CMainDoc, CDocument)

CMainDoc::CMainDoc(CUiServices* ui) : CDocument(ui) {}

CMainDoc::~CMainDoc() = default;
