#pragma once
// The editor window for window tests, with everything it is built on: a settings
// store in memory, the scripted dialogs and scratch folders. Members go away in
// reverse order, so the window closes before the store, dialogs and folders it
// uses.

#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "core/app/SettingsStore.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"

#include <QString>

#include <memory>

namespace talmir::testing {

class EditorSession {
public:
    // A session whose store can be filled before the editor first starts.
    struct NotStarted {};

    // Starts the editor with no command tail.
    EditorSession() { start(); }
    explicit EditorSession(NotStarted) {}
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // A new editor window loaded with `commandTail`, as the program starts; it
    // reads what an earlier window left in the store. An earlier window goes once
    // the new one is built, before the new one loads.
    EditFrm& start(const QString& commandTail = {});

    app::MemorySettingsStore store;
    ScriptedDialogs dialogs;
    ScratchFolders scratch;
    std::unique_ptr<EditFrm> frm;
};

// Lowers the longest line the panes take while it lives, so that a test reaches
// the refusal with a text of a few kilobytes.
class LoweredLineLimit {
public:
    explicit LoweredLineLimit(std::size_t bytes) { TextPane::setMaxLineBytes(bytes); }
    ~LoweredLineLimit() { TextPane::setMaxLineBytes(TextPane::kMaxLineBytes); }
    LoweredLineLimit(const LoweredLineLimit&) = delete;
    LoweredLineLimit& operator=(const LoweredLineLimit&) = delete;
};

}  // namespace talmir::testing
