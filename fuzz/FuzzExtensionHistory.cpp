// Extension history from the settings file and keys typed into the extension box.
#include "FuzzSupport.h"
#include "core/ExtensionHistory.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Upper(std::string s) {
    for (char &c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 4) return 0;
    const CharacterRule rule = fuzz::RuleOf(data[0]);
    // Entries separated by newlines; the last piece is the box's text, then what is typed.
    std::vector<std::string> pieces{""};
    for (size_t i = 4; i < size; ++i) {
        if (data[i] == '\n')
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }
    const std::string typed = pieces.back().substr(0, 1 + data[1] % 2);
    pieces.pop_back();
    const std::string boxText = pieces.empty() ? std::string() : pieces.back();

    ExtensionHistory history(Upper);
    for (const std::string &value : pieces)
        history.LoadValue(value);

    const ExtensionBoxState box{boxText, data[2] % (boxText.size() + 1), 0, std::nullopt};
    ExtensionBoxState state = box;
    state.SelectionLength = data[3] % (boxText.size() - box.SelectionStart + 1);
    const ExtensionKeyResult typedIn = TypeIntoExtensionBox(rule, state, typed, history);
    if (typedIn.Consumed) {
        // Only an entry that starts with the text as typed, completed in its own spelling.
        const std::string candidate =
            (state.SelectionLength > 0 ? boxText.substr(0, state.SelectionStart) : boxText) + typed;
        fuzz::Check(typedIn.State.CurrentEntry &&
                    *typedIn.State.CurrentEntry < history.Entries().size());
        const std::string &entry = history.Entries()[*typedIn.State.CurrentEntry];
        fuzz::Check(Upper(entry).compare(0, candidate.size(), Upper(candidate)) == 0);
        fuzz::Check(entry.size() >= candidate.size());
        fuzz::Check(typedIn.State.Text == candidate + entry.substr(candidate.size()));
        fuzz::Check(ByteKind(rule, entry, candidate.size()) != ByteKindValue::Trail);
        fuzz::Check(typedIn.State.SelectionStart + typedIn.State.SelectionLength ==
                    typedIn.State.Text.size());
    } else {
        fuzz::Check(typedIn.State.Text == boxText);
    }
    const ExtensionKeyResult back = BackspaceInExtensionBox(rule, state);
    fuzz::Check(back.State.Text.size() <= boxText.size());
    fuzz::Check(back.State.SelectionStart <= back.State.Text.size());

    history.MoveToTop(boxText);
    fuzz::Check(!history.Entries().empty() && history.Entries()[0] == boxText);
    fuzz::Check(history.FindExact(boxText) == size_t{0});
    if (history.AddIfNew(typed))
        fuzz::Check(history.Entries()[0] == typed);
    else
        fuzz::Check(history.FindExact(typed).has_value());
    fuzz::Check(history.SaveValues().size() == SavedExtensionCount);
    return 0;
}
