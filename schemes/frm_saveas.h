// "Save as...": the modal dialog frmSaveas, which copies the current scheme
// under a new name and makes the copy current.
#pragma once

#include <string_view>

#include "platform/platform.h"
#include "schemes/saveas_layout.h"
#include "settings/settings_store.h"
#include "ui/control_model.h"

namespace clavitone {

class frmSaveas {
public:
    // pref is frmPref's control tree: the scheme list and the dialog's owner;
    // form is the dialog's own (see MakeSaveasForm).
    frmSaveas(SettingsStore& store, WindowManager& windows, MessageBoxes& messages, WindowFocus& focus,
              FormModel& pref, FormModel& form);
    frmSaveas(const frmSaveas&) = delete;
    frmSaveas& operator=(const frmSaveas&) = delete;

    // Opens the dialog with the current scheme's name and returns once it is hidden.
    void Show();
    void cmdSaveOk_Click();
    void cmdCancel_Click();

private:
    const std::string& TypedName() { return form_(SaveasControl::txtSave).text; }
    bool SchemeExists(std::string_view name);
    bool RefusedForCollision();
    void CopyKeyRange(int first, int last);
    void CopyValue(const std::string& from, const std::string& to);
    void Refuse(const std::string& text, unsigned icon);
    void Hide();

    SettingsStore& store_;
    WindowManager& windows_;
    MessageBoxes& messages_;
    WindowFocus& focus_;
    FormModel& pref_;
    FormModel& form_;
};

}  // namespace clavitone
