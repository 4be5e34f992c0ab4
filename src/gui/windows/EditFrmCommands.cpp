#include "gui/windows/EditFrmCommands.h"

#include <map>
#include <string>

namespace talmir {

namespace {

std::map<std::string, EditFrmCommand, std::less<>>& registry() {
    static std::map<std::string, EditFrmCommand, std::less<>> commands;
    return commands;
}

}  // namespace

EditFrmCommandRegistration::EditFrmCommandRegistration(std::string_view handler,
                                                       EditFrmCommand command) {
    registry()[std::string(handler)] = std::move(command);
}

const EditFrmCommand* findEditFrmCommand(std::string_view handler) {
    const auto it = registry().find(handler);
    return it == registry().end() ? nullptr : &it->second;
}

}  // namespace talmir
