#include "UIKit/NSAttributedString.h"

#include <algorithm>
#include <cmath>

void NSTextAttributes::merge(const NSTextAttributes& o) {
    if (o.font)
        font = o.font;
    if (o.foregroundColor)
        foregroundColor = o.foregroundColor;
    if (o.backgroundColor)
        backgroundColor = o.backgroundColor;
    if (o.link)
        link = o.link;
    if (o.underlineStyle)
        underlineStyle = o.underlineStyle;
    if (o.alignment)
        alignment = o.alignment;
    if (o.kern)
        kern = o.kern;
}

NSAttributedString::NSAttributedString(std::string text, NSTextAttributes attributes)
    : text_(std::move(text)) {
    if (!text_.empty())
        runs_.push_back({{0, text_.size()}, std::move(attributes)});
}

NSTextAttributes NSAttributedString::attributes(size_t index, NSRange* effectiveRange) const {
    for (const auto& run : runs_) {
        if (run.range.contains(index)) {
            if (effectiveRange)
                *effectiveRange = run.range;
            return run.attributes;
        }
    }
    if (effectiveRange)
        *effectiveRange = {index, 0};
    return {};
}

NSRange NSAttributedString::range(const std::string& text) const {
    if (text.empty())
        return {NSRange::notFound, 0};
    auto at = text_.find(text);
    if (at == std::string::npos)
        return {NSRange::notFound, 0};
    return {at, text.size()};
}

NSAttributedString NSAttributedString::attributedSubstring(NSRange range) const {
    NSAttributedString out;
    if (range.location >= text_.size())
        return out;
    size_t end = std::min(range.end(), text_.size());
    out.text_ = text_.substr(range.location, end - range.location);
    for (const auto& run : runs_) {
        size_t s = std::max(run.range.location, range.location);
        size_t e = std::min(run.range.end(), end);
        if (s < e)
            out.runs_.push_back({{s - range.location, e - s}, run.attributes});
    }
    return out;
}

void NSAttributedString::splitAt(size_t index) {
    for (size_t i = 0; i < runs_.size(); ++i) {
        Run& run = runs_[i];
        if (index > run.range.location && index < run.range.end()) {
            Run tail{{index, run.range.end() - index}, run.attributes};
            run.range.length = index - run.range.location;
            runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return;
        }
    }
}

void NSAttributedString::coalesce() {
    std::vector<Run> out;
    for (auto& run : runs_) {
        if (run.range.length == 0)
            continue;
        if (!out.empty() && out.back().attributes == run.attributes)
            out.back().range.length += run.range.length;
        else
            out.push_back(run);
    }
    runs_ = std::move(out);
}

void NSAttributedString::addAttributes(const NSTextAttributes& attributes, NSRange range) {
    if (range.location >= text_.size())
        return;
    size_t end = std::min(range.end(), text_.size());
    splitAt(range.location);
    splitAt(end);
    for (auto& run : runs_) {
        if (run.range.location >= range.location && run.range.end() <= end)
            run.attributes.merge(attributes);
    }
    coalesce();
}

void NSAttributedString::setAttributes(const NSTextAttributes& attributes, NSRange range) {
    if (range.location >= text_.size())
        return;
    size_t end = std::min(range.end(), text_.size());
    splitAt(range.location);
    splitAt(end);
    for (auto& run : runs_) {
        if (run.range.location >= range.location && run.range.end() <= end)
            run.attributes = attributes;
    }
    coalesce();
}

void NSAttributedString::append(const NSAttributedString& other) {
    size_t offset = text_.size();
    text_ += other.text_;
    for (auto run : other.runs_) {
        run.range.location += offset;
        runs_.push_back(run);
    }
    coalesce();
}

void NSAttributedString::replaceCharacters(NSRange range, const std::string& text) {
    size_t start = std::min(range.location, text_.size());
    size_t end = std::min(range.end(), text_.size());
    NSTextAttributes inherited = attributes(start > 0 && start == end ? start - 1 : start);
    NSAttributedString tail = attributedSubstring({end, text_.size() - end});
    NSAttributedString head = attributedSubstring({0, start});
    *this = head;
    append(NSAttributedString(text, inherited));
    append(tail);
}

bool NSAttributedString::operator==(const NSAttributedString& o) const {
    if (text_ != o.text_ || runs_.size() != o.runs_.size())
        return false;
    for (size_t i = 0; i < runs_.size(); ++i) {
        if (runs_[i].range != o.runs_[i].range || !(runs_[i].attributes == o.runs_[i].attributes))
            return false;
    }
    return true;
}

namespace {

NSAttributedString::Measurer& installedMeasurer() {
    static NSAttributedString::Measurer measurer;
    return measurer;
}

bool isContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Wraps at spaces, or inside a word longer than a line.
CGSize estimateSize(const NSAttributedString& text, CGFloat maxWidth, int maxLines,
                    const UIFont& defaultFont) {
    const std::string& s = text.string();
    CGFloat lineHeight = defaultFont.lineHeight();
    for (const auto& run : text.runs()) {
        if (run.attributes.font)
            lineHeight = std::max(lineHeight, run.attributes.font->lineHeight());
    }
    if (s.empty())
        return {0, 0};
    std::vector<CGFloat> lines{0};
    CGFloat wordWidth = 0, widest = 0;
    size_t wordStartLine = 0;
    auto breakLine = [&]() { lines.push_back(0); };
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (isContinuationByte(c))
            continue;
        if (c == '\n') {
            breakLine();
            wordWidth = 0;
            continue;
        }
        UIFont font = text.attributes(i).font.value_or(defaultFont);
        CGFloat advance = font.averageCharacterWidth();
        if (c == ' ') {
            lines.back() += advance;
            wordWidth = 0;
            wordStartLine = lines.size() - 1;
            continue;
        }
        if (maxWidth > 0 && lines.back() + advance > maxWidth && lines.back() > 0) {
            // Move the word to a new line when it fits there, else break inside it.
            if (wordWidth > 0 && wordWidth + advance <= maxWidth &&
                wordStartLine == lines.size() - 1) {
                lines.back() -= wordWidth;
                breakLine();
                lines.back() = wordWidth;
            } else {
                breakLine();
                wordWidth = 0;
            }
        }
        lines.back() += advance;
        wordWidth += advance;
        wordStartLine = lines.size() - 1;
    }
    size_t count = lines.size();
    if (maxLines > 0)
        count = std::min(count, static_cast<size_t>(maxLines));
    for (size_t i = 0; i < count; ++i)
        widest = std::max(widest, lines[i]);
    if (maxWidth > 0)
        widest = std::min(widest, maxWidth);
    return {std::ceil(widest), std::ceil(lineHeight * static_cast<CGFloat>(count))};
}

} // namespace

void NSAttributedString::setMeasurer(Measurer measurer) {
    installedMeasurer() = std::move(measurer);
}

CGSize NSAttributedString::boundingSize(CGFloat maxWidth, int maxLines,
                                        const UIFont& defaultFont) const {
    if (installedMeasurer())
        return installedMeasurer()(*this, maxWidth, maxLines, defaultFont);
    return estimateSize(*this, maxWidth, maxLines, defaultFont);
}
