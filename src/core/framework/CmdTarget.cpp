#include "framework/CmdTarget.h"

KUBO_IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

bool CCmdTarget::OnCmdMsg(unsigned, CCmdUI*) { return false; }
