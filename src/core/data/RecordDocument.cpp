#include "data/RecordDocument.h"

KUBO_IMPLEMENT_DYNAMIC(CRecordDocument, CDocument)
