#include "EditorSession.h"

namespace talmir::testing {

EditFrm& EditorSession::start(const QString& commandTail) {
    frm = std::make_unique<EditFrm>(store, dialogs, scratch.folders());
    frm->Form_Load(commandTail);
    return *frm;
}

}  // namespace talmir::testing
