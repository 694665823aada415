// Fakes of the modal parts of the platform: message boxes answer from a
// script, and a modal window runs a scripted interaction, acting on the
// form's model as the user would, before ShowModal returns.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/fakes/recording_platform.h"
#include "ui/control_model.h"

namespace clavitone::fakes {

struct MessageBoxCall {
    WindowHandle owner = 0;
    std::string text;
    std::string title;
    unsigned style = 0;
};

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& title, unsigned style) override
    {
        shown.push_back({owner, text, title, style});
        if (answers.empty())
            return (style & MessageYesNo) == MessageYesNo ? AnswerYes : AnswerOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<MessageBoxCall> shown;
    std::deque<int> answers;  // then Yes, or OK for a box without Yes
};

struct PopupCall {
    WindowHandle owner = 0;
    WindowHandle menu = 0;
    unsigned flags = 0;
    int defaultEntry = 0;

    bool operator==(const PopupCall&) const = default;
};

// Calls that are not modal go to the journal too, if there is one, for the
// order of events; ShowWindow's command is then the entry's text.
class ScriptedWindows final : public WindowManager {
public:
    using Interaction = std::function<void(FormModel&)>;

    explicit ScriptedWindows(Journal* journal = nullptr) : journal_(journal) {}

    void ShowWindow(WindowHandle window, int command) override
    {
        Record("ShowWindow", std::to_string(command), window);
        shown.push_back({window, command});
        if (command == WindowHide && modal && window == modal->hWnd)
            modalHidden = true;
    }

    void SetForegroundWindow(WindowHandle window) override { Record("SetForegroundWindow", std::nullopt, window); }

    void PopupMenu(WindowHandle owner, WindowHandle menu, unsigned flags, int defaultEntry) override
    {
        Record("PopupMenu", std::nullopt, menu);
        popups.push_back({owner, menu, flags, defaultEntry});
    }

    // Gives the form a handle on first use, as the real window would, then
    // plays the next interaction. A real modal loop would never return from a
    // dialog that stays shown: stillShown counts those.
    void ShowModal(FormModel& form, WindowHandle owner) override
    {
        if (!form.hWnd)
            form.hWnd = DialogHandle;
        modalOwners.push_back(owner);
        modal = &form;
        modalHidden = false;
        if (!interactions.empty()) {
            const Interaction next = std::move(interactions.front());
            interactions.pop_front();
            next(form);
        }
        if (!modalHidden)
            ++stillShown;
        modal = nullptr;
    }

    static constexpr WindowHandle DialogHandle = 0x5000;

    std::vector<std::pair<WindowHandle, int>> shown;  // ShowWindow calls: window and command
    std::vector<WindowHandle> modalOwners;
    std::vector<PopupCall> popups;
    std::deque<Interaction> interactions;
    int stillShown = 0;

private:
    void Record(const char* what, std::optional<std::string> text, WindowHandle window)
    {
        if (journal_)
            journal_->push_back({what, std::move(text), window, {}});
    }

    Journal* journal_;
    FormModel* modal = nullptr;
    bool modalHidden = false;
};

}  // namespace clavitone::fakes
