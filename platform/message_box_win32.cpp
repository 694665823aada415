#include "platform/message_box_win32.h"

namespace clavitone {

static_assert(MessageOkOnly == MB_OK && MessageYesNo == MB_YESNO && MessageExclamation == MB_ICONEXCLAMATION);
static_assert(AnswerOk == IDOK && AnswerYes == IDYES && AnswerNo == IDNO);

int WinMessageBoxes::MessageBoxA(WindowHandle owner, const std::string& text, const std::string& title,
                                 unsigned style)
{
    return ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), title.c_str(), style);
}

}  // namespace clavitone
