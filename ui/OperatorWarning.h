// Operator errors: a message box with no owner window, caption "警告" and an OK button.
#pragma once

constexpr wchar_t kWarningCaption[] = L"警告";

// Shows text and returns when the operator has dismissed it.
void ShowOperatorWarning(const wchar_t *text);
