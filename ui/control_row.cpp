#include "ui/control_row.h"

#include <string>

namespace clavitone {

Control MakeControl(const ControlRow& row)
{
    Control control;
    control.id = {std::string(row.name), row.index};
    control.kind = row.kind;
    control.container = row.container;
    control.containerIndex = row.containerIndex;
    control.caption = row.caption;
    control.picture = row.picture;
    control.rect = row.rect;
    control.tabIndex = row.tabIndex;
    return control;
}

}  // namespace clavitone
