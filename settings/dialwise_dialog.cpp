#include "dialwise_dialog.h"

#include "help_routing.h"

DialwiseDialog::DialwiseDialog(UINT templateId) : Dialog(templateId, ::GetModuleHandleA(nullptr)) {}

bool DialwiseDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    return HandleHelpMessage(message, result);
}
