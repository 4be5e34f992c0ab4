#pragma once
// Commands of the editor window that live with their own subsystem (the text
// tools, printing, the conversions). A command file registers its handler under
// the handler's name; the window enables the menu entry, toolbar button or
// button of that name only when a handler is registered:
//
//   static const talmir::EditFrmCommandRegistration kDxfNc{
//       "MnuDxfNc_Click", [](talmir::EditFrm& frm) { ... }};

#include <functional>
#include <string_view>

namespace talmir {

class EditFrm;

using EditFrmCommand = std::function<void(EditFrm&)>;

struct EditFrmCommandRegistration {
    EditFrmCommandRegistration(std::string_view handler, EditFrmCommand command);
};

// The command registered under `handler`, or null.
const EditFrmCommand* findEditFrmCommand(std::string_view handler);

}  // namespace talmir
