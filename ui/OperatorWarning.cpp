#include "ui/OperatorWarning.h"

#include <windows.h>

void ShowOperatorWarning(const wchar_t *text) { ::MessageBoxW(nullptr, text, kWarningCaption, MB_OK); }
