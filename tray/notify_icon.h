// The notification-area icon: one record, kept between calls, and the shell
// calls that add, change and remove the icon it describes.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.h"
#include "ui/control_model.h"

namespace clavitone {

// The first layout's size: the shell reads no further than the 64-byte tip.
inline constexpr std::uint32_t TrayRecordSize = 88;
inline constexpr std::uint32_t TrayIconId = 1;
// NIF_MESSAGE + NIF_ICON + NIF_TIP: callback, picture and tip are all valid.
inline constexpr std::uint32_t TrayFlags = 1 + 2 + 4;
// The shell reports mouse actions over the icon as this message (WM_MOUSEMOVE).
inline constexpr std::uint32_t TrayCallbackMessage = 512;
inline constexpr std::string_view StartupTip = "Clavitone";

// The record's tip field: the text, one NUL, then spaces to the end. A text
// with no room left for the NUL is cut to 63 characters, so the shell never
// reads past the field.
void SetTip(NotifyIconRecord& record, std::string_view text);

// A tray callback's x coordinate is the number of the mouse message that
// happened over the icon; X arrives in twips.
int TrayMouseMessage(float x, int twipsPerPixel);

// The icon of frmPref: its callbacks go to pichook, its two pictures are
// those of imgDefault(0) (sounds on) and imgDefault(1) (sounds off).
class NotifyIcon {
public:
    NotifyIcon(TrayShell& shell, FormModel& form) : shell_(shell), form_(form) {}
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // Adds the icon with the sounds-on picture and the tip "Clavitone".
    void SetIcon();
    // Shows the picture for the sound state and a new tip.
    void ShowSoundState(bool soundsOn, std::string_view tip);
    // Removes the icon; harmless when there is none.
    void Remove();
    // The shell restarted and forgot every icon: adds this one again as it
    // stands. Nothing happens when it is not shown.
    void Restore();

    const NotifyIconRecord& Record() const { return TrayIcon; }

private:
    IconHandle Picture(bool soundsOn) const;

    TrayShell& shell_;
    FormModel& form_;
    NotifyIconRecord TrayIcon;
    bool shown_ = false;
};

}  // namespace clavitone
