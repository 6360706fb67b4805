#pragma once

#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A range of the text. Positions count bytes of the UTF-8 text.
struct NSRange {
    size_t location = 0;
    size_t length = 0;

    static constexpr size_t notFound = static_cast<size_t>(-1);
    size_t end() const { return location + length; }
    bool contains(size_t index) const { return index >= location && index < end(); }
    bool operator==(const NSRange&) const = default;
};

enum class NSTextAlignment { left, center, right, justified, natural };
enum class NSUnderlineStyle { none, single, thick, doubled };

// The attributes of a run of text; an unset attribute takes the view's default.
struct NSTextAttributes {
    std::optional<UIFont> font;
    std::optional<UIColor> foregroundColor;
    std::optional<UIColor> backgroundColor;
    // A web address or any text the link's owner understands.
    std::optional<std::string> link;
    std::optional<NSUnderlineStyle> underlineStyle;
    std::optional<NSTextAlignment> alignment;
    std::optional<CGFloat> kern;

    // The values set in `other` replace these.
    void merge(const NSTextAttributes& other);
    bool operator==(const NSTextAttributes&) const = default;
};

// Text with attributes on ranges of it. Runs never overlap; together they cover the text.
class NSAttributedString {
  public:
    struct Run {
        NSRange range;
        NSTextAttributes attributes;
    };

    NSAttributedString() = default;
    explicit NSAttributedString(std::string text, NSTextAttributes attributes = {});

    const std::string& string() const { return text_; }
    size_t length() const { return text_.size(); }
    const std::vector<Run>& runs() const { return runs_; }

    // The attributes at a position and the run's range; empty attributes past the end.
    NSTextAttributes attributes(size_t index, NSRange* effectiveRange = nullptr) const;
    // The first occurrence of `text`, or a range at NSRange::notFound.
    NSRange range(const std::string& text) const;
    NSAttributedString attributedSubstring(NSRange range) const;

    // Ranges reaching past the end are cut at the end.
    void addAttributes(const NSTextAttributes& attributes, NSRange range);
    void setAttributes(const NSTextAttributes& attributes, NSRange range);
    void addAttributesToAll(const NSTextAttributes& attributes) {
        addAttributes(attributes, {0, length()});
    }
    void append(const NSAttributedString& other);
    void replaceCharacters(NSRange range, const std::string& text);

    bool operator==(const NSAttributedString&) const;

    // The size the text takes, wrapped at `maxWidth` (no wrapping when it is 0 or less) and cut
    // to `maxLines` lines (0 for any number); runs without a font use `defaultFont`.
    CGSize boundingSize(CGFloat maxWidth, int maxLines, const UIFont& defaultFont) const;
    using Measurer = std::function<CGSize(const NSAttributedString& text, CGFloat maxWidth,
                                          int maxLines, const UIFont& defaultFont)>;
    // A renderer installs its own text measurement here; until then text is measured from
    // each font's average character width and line height.
    static void setMeasurer(Measurer measurer);

  private:
    void splitAt(size_t index);
    void coalesce();

    std::string text_;
    std::vector<Run> runs_;
};

// The mutable and immutable kinds are one type here.
using NSMutableAttributedString = NSAttributedString;
