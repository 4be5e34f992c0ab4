#pragma once
// The result of a core command: the output, or the program's own error that the
// window shows ("エラー番号 : " + number + line feed + description).

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace talmir {

// A failure as the user sees it. `description` is UTF-8 (it is shown in a message
// box or printed on standard error, never written into a document).
struct Failure {
    int number = 0;
    std::string description;
    // The title of the window's warning box when the failure has one of its own
    // (UTF-8); empty: the title of the command that failed.
    std::string title = {};
    // Where in the input the conversion failed: the byte offset of the record (line,
    // block, DXF pair) it was reading; nothing when the failure has no place.
    // talmir-convert names the line; the window's message box leaves it out.
    std::optional<std::uint64_t> at = {};
    // The `at` of a failure that concerns the whole input (nothing in it to
    // convert): no line is named.
    static constexpr std::uint64_t kWholeInput = UINT64_MAX;

    // A plain message box text with no error number ("読み込み出来ませんでした。").
    static Failure message(std::string text) { return Failure{0, std::move(text)}; }
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}            // NOLINT: implicit by design
    Result(Failure failure) : m_state(std::move(failure)) {}  // NOLINT

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const Failure& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

// The error when memory runs out: "エラー番号 : 7" and "メモリが不足しています。".
inline Failure outOfMemoryFailure() {
    return Failure{7, "メモリが不足しています。"};
}

// Run-time errors of the arithmetic of a program the conversions read (macro
// variables, shape-cycle sizes), in the words the user knows them by.
inline Failure invalidArgumentFailure() {
    return Failure{5, "プロシージャの呼び出し、または引数が不正です。"};
}
inline Failure overflowFailure() {
    return Failure{6, "オーバーフローしました。"};
}
inline Failure subscriptFailure() {
    return Failure{9, "インデックスが有効範囲にありません。"};
}
inline Failure divisionByZeroFailure() {
    return Failure{11, "0 で除算しました。"};
}

// What a conversion returns at the core's edge: the value of `convert()`, or the
// Failure it threw, or outOfMemoryFailure() when it ran out of memory; nothing
// else is caught.
//   return guardConversion([&] { return DxfConverter(dxfBytes, options).run(); });
template <class Convert>
Result<std::invoke_result_t<Convert&>> guardConversion(Convert&& convert) {
    try {
        return convert();
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return outOfMemoryFailure();
    }
}

}  // namespace talmir
