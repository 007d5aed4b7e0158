#include "app/ViewDecl.h"

#include "app/StringUtil.h"

namespace cw {

const ControlDecl* findControl(const WindowDecl& decl, std::string_view name) {
    for (const ControlDecl& control : decl.controls)
        if (str::equalsNoCase(control.name, name)) return &control;
    return nullptr;
}

} // namespace cw
