#include "tray/notify_icon.h"
#include "ui/pref_layout.h"

#include <algorithm>
#include <cmath>

namespace clavitone {

namespace {

constexpr char TipPadding = ' ';

}  // namespace

void SetTip(NotifyIconRecord& record, std::string_view text)
{
    auto& tip = record.szTip;
    const std::size_t length = std::min(text.size(), tip.size() - 1);
    std::copy_n(text.begin(), length, tip.begin());
    tip[length] = '\0';
    std::fill(tip.begin() + static_cast<std::ptrdiff_t>(length) + 1, tip.end(), TipPadding);
}

int TrayMouseMessage(float x, int twipsPerPixel)
{
    const double pixels = twipsPerPixel > 0 ? static_cast<double>(x) / twipsPerPixel : x;
    return static_cast<int>(std::lround(pixels));
}

void NotifyIcon::SetIcon()
{
    TrayIcon.cbSize = TrayRecordSize;
    TrayIcon.hWnd = form_(PrefControl::pichook).hWnd;
    TrayIcon.uID = TrayIconId;
    TrayIcon.uFlags = TrayFlags;
    TrayIcon.uCallbackMessage = TrayCallbackMessage;
    TrayIcon.hIcon = Picture(true);
    SetTip(TrayIcon, StartupTip);
    shell_.Shell_NotifyIconA(TrayIconAdd, TrayIcon);
    shown_ = true;
}

void NotifyIcon::ShowSoundState(bool soundsOn, std::string_view tip)
{
    TrayIcon.hIcon = Picture(soundsOn);
    SetTip(TrayIcon, tip);
    shell_.Shell_NotifyIconA(TrayIconModify, TrayIcon);
}

void NotifyIcon::Remove()
{
    // A refused second instance never added its icon; the record still needs
    // the fields that name one.
    TrayIcon.cbSize = TrayRecordSize;
    TrayIcon.hWnd = form_(PrefControl::pichook).hWnd;
    TrayIcon.uID = TrayIconId;
    shell_.Shell_NotifyIconA(TrayIconDelete, TrayIcon);
    shown_ = false;
}

void NotifyIcon::Restore()
{
    if (shown_)
        shell_.Shell_NotifyIconA(TrayIconAdd, TrayIcon);
}

IconHandle NotifyIcon::Picture(bool soundsOn) const
{
    return form_(PrefControl::imgDefault, soundsOn ? 0 : 1).pictureHandle;
}

}  // namespace clavitone
