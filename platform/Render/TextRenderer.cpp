#include "Render/TextRenderer.h"

#include "Render/CairoColor.h"

#include <algorithm>
#include <cmath>
#include <pango/pangocairo.h>

namespace {

// One context for every layout: no hinting and no glyph rounding, so a layout has the same
// metrics whether it is measured or drawn, at any scale.
PangoContext* sharedContext() {
    static PangoContext* context = [] {
        PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(c, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(c, FALSE);
        return c;
    }();
    return context;
}

PangoWeight pangoWeight(double weight) {
    static const std::pair<double, int> scale[] = {{-0.8, 100}, {-0.6, 200}, {-0.4, 300},
                                                   {0.0, 400},  {0.23, 500}, {0.3, 600},
                                                   {0.4, 700},  {0.56, 800}, {0.62, 900}};
    int best = 400;
    double distance = 1e9;
    for (auto [w, p] : scale) {
        if (std::fabs(w - weight) < distance) {
            distance = std::fabs(w - weight);
            best = p;
        }
    }
    return static_cast<PangoWeight>(best);
}

guint16 channel(double v) {
    return static_cast<guint16>(std::clamp(v, 0.0, 1.0) * 65535.0 + 0.5);
}

void insert(PangoAttrList* list, PangoAttribute* attribute, NSRange range) {
    attribute->start_index = static_cast<guint>(range.location);
    attribute->end_index = static_cast<guint>(range.end());
    pango_attr_list_insert(list, attribute);
}

void addColor(PangoAttrList* list, const UIColor& color, NSRange range, bool background) {
    Rgba c = resolvedRgba(color);
    insert(list,
           background ? pango_attr_background_new(channel(c.r), channel(c.g), channel(c.b))
                      : pango_attr_foreground_new(channel(c.r), channel(c.g), channel(c.b)),
           range);
    insert(list,
           background ? pango_attr_background_alpha_new(channel(c.a))
                      : pango_attr_foreground_alpha_new(std::max<guint16>(1, channel(c.a))),
           range);
}

PangoUnderline pangoUnderline(NSUnderlineStyle style) {
    switch (style) {
    case NSUnderlineStyle::none:
        return PANGO_UNDERLINE_NONE;
    case NSUnderlineStyle::single:
        return PANGO_UNDERLINE_SINGLE;
    case NSUnderlineStyle::thick:
        return PANGO_UNDERLINE_SINGLE_LINE;
    case NSUnderlineStyle::doubled:
        return PANGO_UNDERLINE_DOUBLE;
    }
    return PANGO_UNDERLINE_NONE;
}

// The runs' attributes over the style's font and colour.
PangoAttrList* attributesOf(const NSAttributedString& text, const TextStyle& style) {
    PangoAttrList* list = pango_attr_list_new();
    NSRange all{0, text.length()};
    PangoFontDescription* base = TextLayout::fontDescription(style.font);
    insert(list, pango_attr_font_desc_new(base), all);
    pango_font_description_free(base);
    addColor(list, style.color, all, false);
    for (const auto& run : text.runs()) {
        const auto& a = run.attributes;
        if (a.font) {
            PangoFontDescription* d = TextLayout::fontDescription(*a.font);
            insert(list, pango_attr_font_desc_new(d), run.range);
            pango_font_description_free(d);
        }
        // Links show in the link colour, whatever colour the text around them has.
        if (a.link)
            addColor(list, UIColor::link(), run.range, false);
        else if (a.foregroundColor)
            addColor(list, *a.foregroundColor, run.range, false);
        if (a.backgroundColor)
            addColor(list, *a.backgroundColor, run.range, true);
        if (a.underlineStyle)
            insert(list, pango_attr_underline_new(pangoUnderline(*a.underlineStyle)), run.range);
        if (a.kern)
            insert(list, pango_attr_letter_spacing_new(int(*a.kern * PANGO_SCALE)), run.range);
    }
    return list;
}

bool truncates(NSLineBreakMode mode) {
    return mode == NSLineBreakMode::byTruncatingHead || mode == NSLineBreakMode::byTruncatingTail ||
           mode == NSLineBreakMode::byTruncatingMiddle;
}

PangoEllipsizeMode ellipsis(NSLineBreakMode mode) {
    switch (mode) {
    case NSLineBreakMode::byTruncatingHead:
        return PANGO_ELLIPSIZE_START;
    case NSLineBreakMode::byTruncatingMiddle:
        return PANGO_ELLIPSIZE_MIDDLE;
    case NSLineBreakMode::byTruncatingTail:
        return PANGO_ELLIPSIZE_END;
    default:
        return PANGO_ELLIPSIZE_NONE;
    }
}

// The text's own alignment (of its first run) wins over the style's.
PangoAlignment alignmentOf(const NSAttributedString& text, const TextStyle& style, bool* justify) {
    NSTextAlignment alignment = style.alignment;
    if (!text.runs().empty() && text.runs().front().attributes.alignment)
        alignment = *text.runs().front().attributes.alignment;
    *justify = alignment == NSTextAlignment::justified;
    switch (alignment) {
    case NSTextAlignment::center:
        return PANGO_ALIGN_CENTER;
    case NSTextAlignment::right:
        return PANGO_ALIGN_RIGHT;
    default:
        return PANGO_ALIGN_LEFT;
    }
}

} // namespace

PangoFontDescription* TextLayout::fontDescription(const UIFont& font) {
    PangoFontDescription* d = pango_font_description_new();
    std::string family =
        font.isSystemFont() ? "Inter, DejaVu Sans" : font.familyName() + ", Inter, DejaVu Sans";
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_absolute_size(d, std::max(1.0, font.pointSize()) * PANGO_SCALE);
    pango_font_description_set_weight(d, pangoWeight(font.weight()));
    pango_font_description_set_style(d, font.isItalic() ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return d;
}

TextLayout::TextLayout(const NSAttributedString& text, const TextStyle& style, CGFloat width) {
    layout_ = pango_layout_new(sharedContext());
    pango_layout_set_text(layout_, text.string().c_str(), int(text.length()));
    PangoAttrList* attributes = attributesOf(text, style);
    pango_layout_set_attributes(layout_, attributes);
    pango_attr_list_unref(attributes);
    bool justify = false;
    pango_layout_set_alignment(layout_, alignmentOf(text, style, &justify));
    pango_layout_set_justify(layout_, justify);

    alignment_ = style.alignment;
    if (!text.runs().empty() && text.runs().front().attributes.alignment)
        alignment_ = *text.runs().front().attributes.alignment;
    int lines = style.numberOfLines;
    bool singleLine = lines == 1 || style.lineBreak == NSLineBreakMode::byClipping;
    if (width > 0) {
        pango_layout_set_width(layout_, int(width * PANGO_SCALE));
        pango_layout_set_wrap(layout_, style.lineBreak == NSLineBreakMode::byCharWrapping
                                           ? PANGO_WRAP_CHAR
                                           : PANGO_WRAP_WORD_CHAR);
        if (truncates(style.lineBreak)) {
            pango_layout_set_ellipsize(layout_, ellipsis(style.lineBreak));
            pango_layout_set_height(layout_, lines > 0 ? -lines : -1000000);
        } else if (singleLine) {
            pango_layout_set_width(layout_, -1);
        }
    }
    wrapsAtWidth_ = pango_layout_get_width(layout_) > 0;
    int count = pango_layout_get_line_count(layout_);
    keptLines_ = lines > 0 ? std::min(lines, count) : count;
    if (singleLine && width > 0 && !truncates(style.lineBreak))
        keptLines_ = std::min(keptLines_, 1);

    PangoRectangle ink, logical;
    pango_layout_get_extents(layout_, &ink, &logical);
    CGFloat w = 0, bottom = 0;
    for (int i = 0; i < keptLines_; ++i) {
        PangoLayoutLine* line = pango_layout_get_line_readonly(layout_, i);
        PangoRectangle lineInk, lineLogical;
        pango_layout_line_get_extents(line, &lineInk, &lineLogical);
        w = std::max(w, CGFloat(lineLogical.width) / PANGO_SCALE);
    }
    if (keptLines_ > 0) {
        PangoLayoutIter* it = pango_layout_get_iter(layout_);
        for (int i = 0; i < keptLines_ - 1; ++i)
            pango_layout_iter_next_line(it);
        int y0, y1;
        pango_layout_iter_get_line_yrange(it, &y0, &y1);
        bottom = CGFloat(y1) / PANGO_SCALE;
        pango_layout_iter_free(it);
    }
    if (text.length() == 0)
        w = 0, bottom = 0;
    size_ = {std::ceil(w), std::ceil(bottom)};
}

TextLayout::~TextLayout() {
    g_object_unref(layout_);
}

int TextLayout::lineCount() const {
    return keptLines_;
}

CGFloat TextLayout::firstBaseline() const {
    return CGFloat(pango_layout_get_baseline(layout_)) / PANGO_SCALE;
}

CGFloat TextLayout::offsetOfIndex(size_t index) const {
    PangoRectangle strong;
    pango_layout_get_cursor_pos(layout_, int(index), &strong, nullptr);
    return CGFloat(strong.x) / PANGO_SCALE;
}

size_t TextLayout::indexAtPoint(CGPoint point) const {
    int index = 0, trailing = 0;
    pango_layout_xy_to_index(layout_, int(point.x * PANGO_SCALE), int(point.y * PANGO_SCALE),
                             &index, &trailing);
    const char* text = pango_layout_get_text(layout_);
    const char* at = text + index;
    for (; trailing > 0 && *at; --trailing)
        at = g_utf8_next_char(at);
    return size_t(at - text);
}

void TextLayout::draw(cairo_t* cr, CGPoint origin) const {
    if (keptLines_ == 0)
        return;
    cairo_save(cr);
    int total = pango_layout_get_line_count(layout_);
    if (keptLines_ < total) {
        cairo_rectangle(cr, origin.x - 1e4, origin.y - 1e4, 3e4, 1e4 + size_.height);
        cairo_clip(cr);
    }
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, layout_);
    cairo_restore(cr);
}

CGFloat TextLayout::alignedOffset(CGFloat width) const {
    if (wrapsAtWidth_)
        return 0;
    CGFloat spare = width - size_.width;
    switch (alignment_) {
    case NSTextAlignment::center:
        return spare / 2;
    case NSTextAlignment::right:
        return spare;
    default:
        return 0;
    }
}

void TextLayout::draw(cairo_t* cr, const CGRect& rect, bool centreVertically) const {
    CGFloat y = rect.origin.y;
    if (centreVertically)
        y += (rect.size.height - size_.height) / 2;
    draw(cr, {rect.origin.x + alignedOffset(rect.size.width), y});
}

void TextLayout::installMeasurer() {
    NSAttributedString::setMeasurer([](const NSAttributedString& text, CGFloat maxWidth,
                                       int maxLines, const UIFont& defaultFont) {
        TextStyle style;
        style.font = defaultFont;
        style.numberOfLines = maxLines;
        style.lineBreak =
            maxLines == 1 ? NSLineBreakMode::byClipping : NSLineBreakMode::byWordWrapping;
        return TextLayout(text, style, maxWidth).size();
    });
}

// Fontconfig and Pango keep their font caches for the life of the process; they are not
// leaks of ours, so the leak checker of sanitized builds is told to pass over them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libpango\nleak:libharfbuzz\nleak:libcairo\n"
           "leak:librsvg\nleak:libglib\nleak:libgobject\nleak:libSDL2\nleak:libX11\n"
           "leak:libdbus\n";
}
