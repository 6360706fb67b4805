#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/NSAttributedString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"

#include <memory>

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;

// How a block of text is set: wrapping, truncation and line count, alignment, and the values
// runs fall back on.
struct TextStyle {
    UIFont font = UIFont::systemFont(17);
    UIColor color = UIColor::label();
    NSTextAlignment alignment = NSTextAlignment::natural;
    NSLineBreakMode lineBreak = NSLineBreakMode::byTruncatingTail;
    // 0 for any number of lines.
    int numberOfLines = 1;
};

// A laid-out block of text, ready to measure and draw. Layouts are made in one shared,
// unhinted Pango context, so text measures the same at every drawing scale.
class TextLayout {
  public:
    // `width` <= 0 sets the text on lines of any length.
    TextLayout(const NSAttributedString& text, const TextStyle& style, CGFloat width);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // The size of the lines kept (the line count applied).
    CGSize size() const { return size_; }
    int lineCount() const;
    // The baseline of the first line, from the top.
    CGFloat firstBaseline() const;
    // The x offset of a byte position of the text, from the layout's left edge.
    CGFloat offsetOfIndex(size_t index) const;
    // The byte position nearest a point of the layout.
    size_t indexAtPoint(CGPoint point) const;

    // Draws the text with its top-left corner at `origin`, cut to the kept lines.
    void draw(cairo_t* cr, CGPoint origin) const;
    // Draws the text in a rectangle: aligned across it, and centred down it when
    // `centreVertically` (as labels do), else from its top.
    void draw(cairo_t* cr, const CGRect& rect, bool centreVertically) const;
    // Where the text starts across a rectangle of that width, by its alignment.
    CGFloat alignedOffset(CGFloat width) const;

    // The Pango font for a UIFont: the system font is Inter (DejaVu Sans when it is missing).
    static PangoFontDescription* fontDescription(const UIFont& font);
    // Installs Pango measuring for every attributed string (labels, buttons, text views).
    static void installMeasurer();

  private:
    PangoLayout* layout_ = nullptr;
    NSTextAlignment alignment_ = NSTextAlignment::natural;
    bool wrapsAtWidth_ = false;
    int keptLines_ = 0;
    CGSize size_;
};
