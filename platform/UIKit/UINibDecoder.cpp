#include "UIKit/UINibDecoder.h"

#include "Foundation/Bundle.h"
#include "Foundation/Console.h"
#include "UIKit/NSLayoutConstraint.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UICollectionView.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UIInterfaceError.h"
#include "UIKit/UILabel.h"
#include "UIKit/UILayoutGuide.h"
#include "UIKit/UIPanGestureRecognizer.h"
#include "UIKit/UIProgressView.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UISearchBar.h"
#include "UIKit/UISlider.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITapGestureRecognizer.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIViewController.h"

#include <set>

using json = nlohmann::json;

namespace {

std::map<std::string, UINibDecoder::Attribute>& attributes() {
    static std::map<std::string, UINibDecoder::Attribute> table;
    return table;
}

// Keys of a view node that are not properties.
const std::set<std::string>& structuralKeys() {
    static const std::set<std::string> keys = {"id",
                                               "class",
                                               "outlet",
                                               "action",
                                               "actions",
                                               "subviews",
                                               "constraints",
                                               "gestureRecognizers",
                                               "prototypes",
                                               "sections",
                                               "buttonType",
                                               "style",
                                               "reuseIdentifier",
                                               "layout",
                                               "attributes",
                                               "comment",
                                               "frame"};
    return keys;
}

CGRect rectOf(const json& v) {
    if (!v.is_array() || v.size() != 4)
        throw UIInterfaceError("a frame is [x, y, width, height]");
    return {v[0].get<double>(), v[1].get<double>(), v[2].get<double>(), v[3].get<double>()};
}

CGSize sizeOf(const json& v) {
    if (!v.is_array() || v.size() != 2)
        throw UIInterfaceError("a size is [width, height]");
    return {v[0].get<double>(), v[1].get<double>()};
}

UIEdgeInsets insetsOf(const json& v) {
    if (v.is_number()) {
        double d = v.get<double>();
        return {d, d, d, d};
    }
    if (!v.is_array() || v.size() != 4)
        throw UIInterfaceError("insets are [top, left, bottom, right]");
    return {v[0].get<double>(), v[1].get<double>(), v[2].get<double>(), v[3].get<double>()};
}

std::optional<UIColor> namedColor(const std::string& name) {
    static const std::map<std::string, UIColor (*)()> named = {
        {"clear", &UIColor::clear},
        {"white", &UIColor::white},
        {"black", &UIColor::black},
        {"gray", &UIColor::gray},
        {"lightGray", &UIColor::lightGray},
        {"darkGray", &UIColor::darkGray},
        {"red", &UIColor::red},
        {"green", &UIColor::green},
        {"blue", &UIColor::blue},
        {"purple", &UIColor::purple},
        {"orange", &UIColor::orange},
        {"yellow", &UIColor::yellow},
        {"systemBlue", &UIColor::systemBlue},
        {"systemRed", &UIColor::systemRed},
        {"systemGreen", &UIColor::systemGreen},
        {"systemOrange", &UIColor::systemOrange},
        {"systemYellow", &UIColor::systemYellow},
        {"systemPink", &UIColor::systemPink},
        {"systemPurple", &UIColor::systemPurple},
        {"systemTeal", &UIColor::systemTeal},
        {"systemIndigo", &UIColor::systemIndigo},
        {"systemGray", &UIColor::systemGray},
        {"systemGray2", &UIColor::systemGray2},
        {"systemGray3", &UIColor::systemGray3},
        {"systemGray4", &UIColor::systemGray4},
        {"systemGray5", &UIColor::systemGray5},
        {"systemGray6", &UIColor::systemGray6},
        {"label", &UIColor::label},
        {"secondaryLabel", &UIColor::secondaryLabel},
        {"lightText", &UIColor::lightText},
        {"systemBackground", &UIColor::systemBackground},
        {"separator", &UIColor::separator},
    };
    auto it = named.find(name);
    if (it == named.end())
        return std::nullopt;
    return it->second();
}

double weightOf(const json& v) {
    if (v.is_number())
        return v.get<double>();
    static const std::map<std::string, double> weights = {
        {"ultraLight", UIFont::Weight::ultraLight},
        {"thin", UIFont::Weight::thin},
        {"light", UIFont::Weight::light},
        {"regular", UIFont::Weight::regular},
        {"medium", UIFont::Weight::medium},
        {"semibold", UIFont::Weight::semibold},
        {"bold", UIFont::Weight::bold},
        {"heavy", UIFont::Weight::heavy},
        {"black", UIFont::Weight::black}};
    auto it = weights.find(v.get<std::string>());
    if (it == weights.end())
        throw UIInterfaceError("unknown font weight \"" + v.get<std::string>() + "\"");
    return it->second;
}

template <class E>
E enumOf(const json& v, const std::map<std::string, E>& names, const std::string& what) {
    std::string name = v.get<std::string>();
    auto it = names.find(name);
    if (it == names.end())
        throw UIInterfaceError("unknown " + what + " \"" + name + "\"");
    return it->second;
}

NSTextAlignment alignmentOf(const json& v) {
    return enumOf<NSTextAlignment>(v,
                                   {{"left", NSTextAlignment::left},
                                    {"center", NSTextAlignment::center},
                                    {"right", NSTextAlignment::right},
                                    {"justified", NSTextAlignment::justified},
                                    {"natural", NSTextAlignment::natural}},
                                   "text alignment");
}

uint32_t eventsOf(const std::string& name) {
    static const std::map<std::string, uint32_t> events = {
        {"touchDown", UIControlEventTouchDown},
        {"touchDownRepeat", UIControlEventTouchDownRepeat},
        {"touchDragInside", UIControlEventTouchDragInside},
        {"touchDragOutside", UIControlEventTouchDragOutside},
        {"touchUpInside", UIControlEventTouchUpInside},
        {"touchUpOutside", UIControlEventTouchUpOutside},
        {"touchCancel", UIControlEventTouchCancel},
        {"valueChanged", UIControlEventValueChanged},
        {"primaryActionTriggered", UIControlEventPrimaryActionTriggered},
        {"editingDidBegin", UIControlEventEditingDidBegin},
        {"editingChanged", UIControlEventEditingChanged},
        {"editingDidEnd", UIControlEventEditingDidEnd},
        {"editingDidEndOnExit", UIControlEventEditingDidEndOnExit}};
    auto it = events.find(name);
    if (it == events.end())
        throw UIInterfaceError("unknown control event \"" + name + "\"");
    return it->second;
}

NSLayoutAttribute layoutAttributeOf(const std::string& name) {
    static const std::map<std::string, NSLayoutAttribute> names = {
        {"left", NSLayoutAttribute::left},       {"right", NSLayoutAttribute::right},
        {"top", NSLayoutAttribute::top},         {"bottom", NSLayoutAttribute::bottom},
        {"leading", NSLayoutAttribute::leading}, {"trailing", NSLayoutAttribute::trailing},
        {"width", NSLayoutAttribute::width},     {"height", NSLayoutAttribute::height},
        {"centerX", NSLayoutAttribute::centerX}, {"centerY", NSLayoutAttribute::centerY}};
    auto it = names.find(name);
    if (it == names.end())
        throw UIInterfaceError("unknown layout attribute \"" + name + "\"");
    return it->second;
}

} // namespace

UINibDecoder::UINibDecoder(std::string source, const Bundle& bundle)
    : source_(std::move(source)), bundle_(bundle) {}

void UINibDecoder::fail(const std::string& what) const {
    throw UIInterfaceError(source_ + ": " + what);
}

void UINibDecoder::registerAttribute(const std::string& name, Attribute attribute) {
    attributes()[name] = std::move(attribute);
}

// ---- Values ----

UIColor UINibDecoder::color(const json& v) const {
    if (v.is_string()) {
        std::string text = v.get<std::string>();
        if (!text.empty() && text[0] == '#') {
            std::string hex = text.substr(1);
            if (hex.size() == 8) {
                auto rgb = UIColor::fromHexString(hex.substr(0, 6));
                if (rgb) {
                    double alpha = std::stoul(hex.substr(6), nullptr, 16) / 255.0;
                    return rgb->withAlphaComponent(alpha);
                }
            } else if (auto rgb = UIColor::fromHexString(hex)) {
                return *rgb;
            }
            fail("colour \"" + text + "\" is not #RRGGBB or #RRGGBBAA");
        }
        if (auto named = namedColor(text))
            return *named;
        fail("unknown colour \"" + text + "\"");
    }
    if (v.is_object()) {
        double alpha = v.value("alpha", 1.0);
        if (v.contains("pattern")) {
            auto img = image(v["pattern"]);
            return UIColor::patternImage(img);
        }
        if (v.contains("white"))
            return UIColor::white(v["white"].get<double>(), alpha);
        if (v.contains("rgb255")) {
            const json& c = v["rgb255"];
            return UIColor::rgb255(c.at(0).get<int>(), c.at(1).get<int>(), c.at(2).get<int>(),
                                   alpha);
        }
        if (v.contains("red"))
            return UIColor(v["red"].get<double>(), v.value("green", 0.0), v.value("blue", 0.0),
                           alpha);
        if (v.contains("named")) {
            auto named = namedColor(v["named"].get<std::string>());
            if (!named)
                fail("unknown colour \"" + v["named"].get<std::string>() + "\"");
            return named->withAlphaComponent(alpha);
        }
    }
    fail("a colour is a name, \"#RRGGBB\", or an object with white, rgb255, red/green/blue or "
         "pattern");
}

UIFont UINibDecoder::font(const json& v) const {
    if (v.is_number())
        return UIFont::systemFont(v.get<double>());
    if (!v.is_object())
        fail("a font is a size or {\"size\", \"weight\", \"name\"}");
    double size = v.value("size", 17.0);
    if (v.contains("name")) {
        auto named = UIFont::named(v["name"].get<std::string>(), size);
        if (!named)
            fail("unknown font \"" + v["name"].get<std::string>() + "\"");
        return *named;
    }
    double weight = v.contains("weight") ? weightOf(v["weight"]) : UIFont::Weight::regular;
    if (v.value("italic", false))
        return UIFont::italicSystemFont(size);
    return UIFont::systemFont(size, weight);
}

std::shared_ptr<UIImage> UINibDecoder::image(const json& v) const {
    if (v.is_object() && v.contains("system")) {
        auto img = UIImage::systemName(v["system"].get<std::string>());
        if (!img)
            Console::systemLog("Could not load the system image \"" +
                               v["system"].get<std::string>() + "\" referenced from " + source_);
        return img;
    }
    if (!v.is_string())
        fail("an image is a name or {\"system\": name}");
    auto img = UIImage::named(v.get<std::string>(), bundle_);
    if (!img)
        Console::systemLog("Could not load the image \"" + v.get<std::string>() +
                           "\" referenced from " + source_);
    return img;
}

// ---- Objects ----

std::string UINibDecoder::idOf(const json& node, const std::string& prefix) {
    if (node.contains("id"))
        return node["id"].get<std::string>();
    return "_" + prefix + std::to_string(++anonymous_);
}

void UINibDecoder::addObject(const std::string& id, UIObjectReference object) {
    if (objects_.count(id))
        fail("the id \"" + id + "\" is used twice");
    objects_[id] = std::move(object);
}

UIObjectReference UINibDecoder::object(const std::string& id) const {
    auto it = objects_.find(id);
    if (it == objects_.end())
        fail("no object has the id \"" + id + "\"");
    return it->second;
}

void UINibDecoder::collectNodeLinks(const json& node, const std::string& id) {
    if (node.contains("outlet")) {
        const json& o = node["outlet"];
        if (o.is_array())
            for (auto& name : o)
                outlets_.push_back({name.get<std::string>(), id});
        else
            outlets_.push_back({o.get<std::string>(), id});
    }
    auto addAction = [&](const json& a) {
        if (a.is_string())
            actions_.push_back({a.get<std::string>(), id, ""});
        else
            actions_.push_back({a.at("selector").get<std::string>(), id, a.value("event", "")});
    };
    if (node.contains("action"))
        addAction(node["action"]);
    if (node.contains("actions"))
        for (auto& a : node["actions"])
            addAction(a);
}

std::shared_ptr<UIView> UINibDecoder::decodeView(const json& node, std::shared_ptr<UIView> into) {
    if (!node.is_object())
        fail("a view must be an object");
    std::string cls = node.value("class", "UIView");
    std::shared_ptr<UIView> view = into;
    if (!view) {
        if (cls == "UIButton" && node.contains("buttonType")) {
            view = UIButton::make(
                enumOf<UIButtonType>(node["buttonType"],
                                     {{"custom", UIButtonType::custom},
                                      {"system", UIButtonType::system},
                                      {"close", UIButtonType::close},
                                      {"contactAdd", UIButtonType::contactAdd},
                                      {"detailDisclosure", UIButtonType::detailDisclosure}},
                                     "button type"));
        } else if (cls == "UITableView" && node.contains("style")) {
            view = UITableView::make(
                {}, enumOf<UITableViewStyle>(node["style"],
                                             {{"plain", UITableViewStyle::plain},
                                              {"grouped", UITableViewStyle::grouped},
                                              {"insetGrouped", UITableViewStyle::insetGrouped}},
                                             "table style"));
        } else if (cls == "UITableViewCell" && node.contains("style")) {
            view = UITableViewCell::make(
                enumOf<UITableViewCellStyle>(node["style"],
                                             {{"default", UITableViewCellStyle::defaultStyle},
                                              {"value1", UITableViewCellStyle::value1},
                                              {"value2", UITableViewCellStyle::value2},
                                              {"subtitle", UITableViewCellStyle::subtitle}},
                                             "cell style"));
        } else {
            std::shared_ptr<UIResponder> made;
            try {
                made = UIClassRegistry::shared().make(cls);
            } catch (const UIInterfaceError& e) {
                fail(std::string(e.what()) +
                     (node.contains("id")
                          ? " for the view \"" + node["id"].get<std::string>() + "\""
                          : ""));
            }
            view = std::dynamic_pointer_cast<UIView>(made);
            if (!view)
                fail("class \"" + cls + "\" is not a view");
        }
    }
    std::string id = idOf(node, "view");
    registerId(node, UIObjectReference{view, nullptr, nullptr, nullptr, nullptr});
    objects_[id].view = view;
    if (node.contains("frame"))
        view->setFrame(rectOf(node["frame"]));
    if (auto cell = std::dynamic_pointer_cast<UITableViewCell>(view);
        cell && node.contains("reuseIdentifier"))
        cell->setReuseIdentifier(node["reuseIdentifier"].get<std::string>());
    if (auto cell = std::dynamic_pointer_cast<UICollectionViewCell>(view);
        cell && node.contains("reuseIdentifier"))
        cell->setReuseIdentifier(node["reuseIdentifier"].get<std::string>());
    applyProperties(*view, node);
    decodeChildren(*view, node);
    collectNodeLinks(node, id);
    if (node.contains("gestureRecognizers"))
        decodeRecognizers(*view, node["gestureRecognizers"]);
    if (node.contains("constraints"))
        for (auto& c : node["constraints"])
            constraints_.push_back(c);
    if (node.contains("prototypes"))
        decodePrototypes(*view, node["prototypes"]);
    if (node.contains("sections"))
        decodeStaticSections(*view, node["sections"]);
    if (node.contains("layout")) {
        auto collection = std::dynamic_pointer_cast<UICollectionView>(view);
        if (!collection)
            fail("\"layout\" applies to collection views only (view \"" + id + "\")");
        const json& l = node["layout"];
        auto& layout = *collection->collectionViewLayout;
        for (auto& [key, value] : l.items()) {
            if (key == "itemSize")
                layout.itemSize = sizeOf(value);
            else if (key == "minimumInteritemSpacing")
                layout.minimumInteritemSpacing = value.get<double>();
            else if (key == "minimumLineSpacing")
                layout.minimumLineSpacing = value.get<double>();
            else if (key == "sectionInset")
                layout.sectionInset = insetsOf(value);
            else if (key == "scrollDirection")
                layout.scrollDirection = value.get<std::string>() == "horizontal"
                                             ? UICollectionViewScrollDirection::horizontal
                                             : UICollectionViewScrollDirection::vertical;
            else
                fail("unknown flow layout property \"" + key + "\"");
        }
    }
    views_.push_back(view);
    return view;
}

void UINibDecoder::registerId(const json& node, UIObjectReference object) {
    if (!node.contains("id"))
        return;
    addObject(node["id"].get<std::string>(), std::move(object));
}

void UINibDecoder::decodeChildren(UIView& view, const json& node) {
    if (!node.contains("subviews"))
        return;
    UIView* parent = &view;
    if (auto* cell = dynamic_cast<UITableViewCell*>(&view))
        parent = cell->contentView().get();
    else if (auto* item = dynamic_cast<UICollectionViewCell*>(&view))
        parent = item->contentView().get();
    for (auto& child : node["subviews"])
        parent->addSubview(decodeView(child));
}

void UINibDecoder::applyProperties(UIView& view, const json& node) {
    for (auto& [key, value] : node.items()) {
        if (structuralKeys().count(key))
            continue;
        if (!applyProperty(view, key, value))
            fail("property \"" + key + "\" does not apply to " + view.className() +
                 (node.contains("id") ? " \"" + node["id"].get<std::string>() + "\"" : ""));
    }
    if (node.contains("attributes")) {
        for (auto& [name, value] : node["attributes"].items()) {
            auto it = attributes().find(name);
            if (it == attributes().end())
                fail("unknown attribute \"" + name + "\"");
            it->second(view, value);
        }
    }
}

bool UINibDecoder::applyProperty(UIView& view, const std::string& key, const json& v) {
    // Every view.
    if (key == "backgroundColor") {
        view.setBackgroundColor(color(v));
        return true;
    }
    if (key == "tintColor") {
        view.setTintColor(color(v));
        return true;
    }
    if (key == "alpha") {
        view.setAlpha(v.get<double>());
        return true;
    }
    if (key == "hidden") {
        view.setHidden(v.get<bool>());
        return true;
    }
    if (key == "tag") {
        view.tag = v.get<int>();
        return true;
    }
    if (key == "clipsToBounds") {
        view.setClipsToBounds(v.get<bool>());
        return true;
    }
    if (key == "cornerRadius") {
        view.layer()->cornerRadius = v.get<double>();
        return true;
    }
    if (key == "borderWidth") {
        view.layer()->borderWidth = v.get<double>();
        return true;
    }
    if (key == "borderColor") {
        view.layer()->borderColor = color(v);
        return true;
    }
    if (key == "userInteractionEnabled") {
        view.setUserInteractionEnabled(v.get<bool>());
        return true;
    }
    if (key == "opaque") {
        view.isOpaque = v.get<bool>();
        return true;
    }
    if (key == "accessibilityIdentifier") {
        view.accessibilityIdentifier = v.get<std::string>();
        return true;
    }
    if (key == "accessibilityLabel") {
        view.accessibilityLabel = v.get<std::string>();
        return true;
    }
    if (key == "layoutMargins") {
        view.setLayoutMargins(insetsOf(v));
        return true;
    }
    if (key == "translatesAutoresizingMaskIntoConstraints") {
        view.setTranslatesAutoresizingMaskIntoConstraints(v.get<bool>());
        return true;
    }
    if (key == "contentMode") {
        view.contentMode =
            enumOf<UIViewContentMode>(v,
                                      {{"scaleToFill", UIViewContentMode::scaleToFill},
                                       {"scaleAspectFit", UIViewContentMode::scaleAspectFit},
                                       {"scaleAspectFill", UIViewContentMode::scaleAspectFill},
                                       {"center", UIViewContentMode::center},
                                       {"top", UIViewContentMode::top},
                                       {"bottom", UIViewContentMode::bottom},
                                       {"left", UIViewContentMode::left},
                                       {"right", UIViewContentMode::right}},
                                      "content mode");
        return true;
    }
    if (key == "autoresizingMask") {
        static const std::map<std::string, uint32_t> bits = {
            {"flexibleLeftMargin", UIViewAutoresizingFlexibleLeftMargin},
            {"flexibleWidth", UIViewAutoresizingFlexibleWidth},
            {"flexibleRightMargin", UIViewAutoresizingFlexibleRightMargin},
            {"flexibleTopMargin", UIViewAutoresizingFlexibleTopMargin},
            {"flexibleHeight", UIViewAutoresizingFlexibleHeight},
            {"flexibleBottomMargin", UIViewAutoresizingFlexibleBottomMargin}};
        uint32_t mask = 0;
        for (auto& name : v)
            mask |= enumOf<uint32_t>(name, bits, "autoresizing flag");
        view.autoresizingMask = mask;
        return true;
    }
    if (auto* label = dynamic_cast<UILabel*>(&view)) {
        if (key == "text") {
            label->setText(v.get<std::string>());
            return true;
        }
        if (key == "font") {
            label->setFont(font(v));
            return true;
        }
        if (key == "textColor") {
            label->setTextColor(color(v));
            return true;
        }
        if (key == "textAlignment") {
            label->textAlignment = alignmentOf(v);
            return true;
        }
        if (key == "numberOfLines") {
            label->setNumberOfLines(v.get<int>());
            return true;
        }
        if (key == "adjustsFontSizeToFitWidth") {
            label->adjustsFontSizeToFitWidth = v.get<bool>();
            return true;
        }
    }
    if (auto* control = dynamic_cast<UIControl*>(&view)) {
        if (key == "enabled") {
            control->setEnabled(v.get<bool>());
            return true;
        }
        if (key == "selected") {
            control->setSelected(v.get<bool>());
            return true;
        }
    }
    if (auto* button = dynamic_cast<UIButton*>(&view)) {
        if (key == "title") {
            button->setTitle(v.get<std::string>(), UIControlStateNormal);
            return true;
        }
        if (key == "selectedTitle") {
            button->setTitle(v.get<std::string>(), UIControlStateSelected);
            return true;
        }
        if (key == "titleColor") {
            button->setTitleColor(color(v), UIControlStateNormal);
            return true;
        }
        if (key == "image") {
            button->setImage(image(v), UIControlStateNormal);
            return true;
        }
        if (key == "selectedImage") {
            button->setImage(image(v), UIControlStateSelected);
            return true;
        }
        if (key == "backgroundImage") {
            button->setBackgroundImage(image(v), UIControlStateNormal);
            return true;
        }
        if (key == "font") {
            button->titleLabel()->setFont(font(v));
            return true;
        }
    }
    if (auto* imageView = dynamic_cast<UIImageView*>(&view)) {
        if (key == "image") {
            imageView->setImage(image(v));
            return true;
        }
        if (key == "highlightedImage") {
            imageView->highlightedImage = image(v);
            return true;
        }
    }
    if (auto* field = dynamic_cast<UITextField*>(&view)) {
        if (key == "text") {
            field->setText(v.get<std::string>());
            return true;
        }
        if (key == "placeholder") {
            field->placeholder = v.get<std::string>();
            return true;
        }
        if (key == "font") {
            field->font = font(v);
            return true;
        }
        if (key == "textColor") {
            field->textColor = color(v);
            return true;
        }
        if (key == "textAlignment") {
            field->textAlignment = alignmentOf(v);
            return true;
        }
        if (key == "secureTextEntry") {
            field->isSecureTextEntry = v.get<bool>();
            return true;
        }
        if (key == "borderStyle") {
            field->borderStyle =
                enumOf<UITextBorderStyle>(v,
                                          {{"none", UITextBorderStyle::none},
                                           {"line", UITextBorderStyle::line},
                                           {"bezel", UITextBorderStyle::bezel},
                                           {"roundedRect", UITextBorderStyle::roundedRect}},
                                          "border style");
            return true;
        }
    }
    if (auto* textView = dynamic_cast<UITextView*>(&view)) {
        if (key == "text") {
            textView->setText(v.get<std::string>());
            return true;
        }
        if (key == "font") {
            textView->font = font(v);
            return true;
        }
        if (key == "textColor") {
            textView->textColor = color(v);
            return true;
        }
        if (key == "editable") {
            textView->isEditable = v.get<bool>();
            return true;
        }
        if (key == "textAlignment") {
            textView->textAlignment = alignmentOf(v);
            return true;
        }
    }
    if (auto* search = dynamic_cast<UISearchBar*>(&view)) {
        if (key == "text") {
            search->setText(v.get<std::string>());
            return true;
        }
        if (key == "placeholder") {
            search->setPlaceholder(v.get<std::string>());
            return true;
        }
    }
    if (auto* slider = dynamic_cast<UISlider*>(&view)) {
        if (key == "minimumValue") {
            slider->setMinimumValue(v.get<float>());
            return true;
        }
        if (key == "maximumValue") {
            slider->setMaximumValue(v.get<float>());
            return true;
        }
        if (key == "value") {
            slider->setValue(v.get<float>());
            return true;
        }
    }
    if (auto* progress = dynamic_cast<UIProgressView*>(&view)) {
        if (key == "progress") {
            progress->setProgress(v.get<float>());
            return true;
        }
    }
    if (auto* table = dynamic_cast<UITableView*>(&view)) {
        if (key == "rowHeight") {
            table->rowHeight = v.is_string() && v.get<std::string>() == "automatic"
                                   ? UITableViewAutomaticDimension
                                   : v.get<double>();
            return true;
        }
        if (key == "sectionHeaderHeight") {
            table->sectionHeaderHeight = v.get<double>();
            return true;
        }
        if (key == "sectionFooterHeight") {
            table->sectionFooterHeight = v.get<double>();
            return true;
        }
        if (key == "allowsSelection") {
            table->allowsSelection = v.get<bool>();
            return true;
        }
        if (key == "allowsMultipleSelection") {
            table->allowsMultipleSelection = v.get<bool>();
            return true;
        }
        if (key == "allowsMultipleSelectionDuringEditing") {
            table->allowsMultipleSelectionDuringEditing = v.get<bool>();
            return true;
        }
        if (key == "allowsSelectionDuringEditing") {
            table->allowsSelectionDuringEditing = v.get<bool>();
            return true;
        }
    }
    if (auto* collection = dynamic_cast<UICollectionView*>(&view)) {
        if (key == "allowsSelection") {
            collection->allowsSelection = v.get<bool>();
            return true;
        }
        if (key == "allowsMultipleSelection") {
            collection->allowsMultipleSelection = v.get<bool>();
            return true;
        }
    }
    if (auto* scroll = dynamic_cast<UIScrollView*>(&view)) {
        if (key == "contentSize") {
            scroll->setContentSize(sizeOf(v));
            return true;
        }
        if (key == "pagingEnabled") {
            scroll->isPagingEnabled = v.get<bool>();
            return true;
        }
        if (key == "scrollEnabled") {
            scroll->isScrollEnabled = v.get<bool>();
            return true;
        }
        if (key == "bounces") {
            scroll->bounces = v.get<bool>();
            return true;
        }
        if (key == "contentInset") {
            scroll->contentInset = insetsOf(v);
            return true;
        }
    }
    if (auto* cell = dynamic_cast<UITableViewCell*>(&view)) {
        if (key == "text") {
            cell->textLabel()->setText(v.get<std::string>());
            return true;
        }
        if (key == "detailText") {
            if (!cell->detailTextLabel())
                return false;
            cell->detailTextLabel()->setText(v.get<std::string>());
            return true;
        }
        if (key == "image") {
            cell->imageView()->setImage(image(v));
            return true;
        }
        if (key == "accessoryType") {
            cell->accessoryType = enumOf<UITableViewCellAccessoryType>(
                v,
                {{"none", UITableViewCellAccessoryType::none},
                 {"disclosureIndicator", UITableViewCellAccessoryType::disclosureIndicator},
                 {"detailDisclosureButton", UITableViewCellAccessoryType::detailDisclosureButton},
                 {"checkmark", UITableViewCellAccessoryType::checkmark},
                 {"detailButton", UITableViewCellAccessoryType::detailButton}},
                "accessory type");
            return true;
        }
        if (key == "selectionStyle") {
            cell->selectionStyle = enumOf<UITableViewCellSelectionStyle>(
                v,
                {{"none", UITableViewCellSelectionStyle::none},
                 {"blue", UITableViewCellSelectionStyle::blue},
                 {"gray", UITableViewCellSelectionStyle::gray},
                 {"default", UITableViewCellSelectionStyle::defaultStyle}},
                "selection style");
            return true;
        }
    }
    return false;
}

void UINibDecoder::decodeRecognizers(UIView& view, const json& list) {
    for (auto& node : list) {
        std::string cls = node.value("class", "");
        std::shared_ptr<UIGestureRecognizer> recognizer;
        if (cls == "UIPanGestureRecognizer") {
            recognizer = UIPanGestureRecognizer::make();
        } else if (cls == "UITapGestureRecognizer") {
            auto tap = UITapGestureRecognizer::make();
            tap->numberOfTapsRequired = node.value("numberOfTapsRequired", 1);
            recognizer = tap;
        } else {
            fail("unknown gesture recognizer class \"" + cls + "\"");
        }
        if (node.contains("cancelsTouchesInView"))
            recognizer->cancelsTouchesInView = node["cancelsTouchesInView"].get<bool>();
        std::string id = idOf(node, "recognizer");
        addObject(id, UIObjectReference{nullptr, nullptr, recognizer, nullptr, nullptr});
        view.addGestureRecognizer(recognizer);
        collectNodeLinks(node, id);
    }
}

std::shared_ptr<UIBarButtonItem> UINibDecoder::decodeBarButtonItem(const json& node) {
    std::shared_ptr<UIBarButtonItem> item;
    if (node.contains("systemItem")) {
        item = UIBarButtonItem::make(
            enumOf<UIBarButtonSystemItem>(node["systemItem"],
                                          {{"done", UIBarButtonSystemItem::done},
                                           {"cancel", UIBarButtonSystemItem::cancel},
                                           {"edit", UIBarButtonSystemItem::edit},
                                           {"save", UIBarButtonSystemItem::save},
                                           {"add", UIBarButtonSystemItem::add},
                                           {"flexibleSpace", UIBarButtonSystemItem::flexibleSpace},
                                           {"fixedSpace", UIBarButtonSystemItem::fixedSpace},
                                           {"action", UIBarButtonSystemItem::action},
                                           {"trash", UIBarButtonSystemItem::trash},
                                           {"close", UIBarButtonSystemItem::close},
                                           {"compose", UIBarButtonSystemItem::compose},
                                           {"search", UIBarButtonSystemItem::search},
                                           {"refresh", UIBarButtonSystemItem::refresh}},
                                          "bar button system item"));
    } else if (node.contains("customView")) {
        item = UIBarButtonItem::make(decodeView(node["customView"]));
    } else {
        item = std::make_shared<UIBarButtonItem>();
    }
    if (node.contains("title"))
        item->title = node["title"].get<std::string>();
    if (node.contains("image"))
        item->image = image(node["image"]);
    if (node.contains("style"))
        item->style = node["style"].get<std::string>() == "done" ? UIBarButtonItemStyle::done
                                                                 : UIBarButtonItemStyle::plain;
    if (node.contains("tintColor"))
        item->tintColor = color(node["tintColor"]);
    if (node.contains("enabled"))
        item->isEnabled = node["enabled"].get<bool>();
    if (node.contains("tag"))
        item->tag = node["tag"].get<int>();
    std::string id = idOf(node, "item");
    addObject(id, UIObjectReference{nullptr, nullptr, nullptr, item, nullptr});
    collectNodeLinks(node, id);
    return item;
}

void UINibDecoder::decodePrototypes(UIView& view, const json& list) {
    auto* table = dynamic_cast<UITableView*>(&view);
    auto* collection = dynamic_cast<UICollectionView*>(&view);
    if (!table && !collection)
        fail("\"prototypes\" apply to table and collection views only");
    for (auto& node : list) {
        if (!node.contains("reuseIdentifier"))
            fail("a cell prototype needs a \"reuseIdentifier\"");
        std::string reuse = node["reuseIdentifier"].get<std::string>();
        std::string cls = node.value("class", table ? "UITableViewCell" : "UICollectionViewCell");
        const UIClassInfo* info = UIClassRegistry::shared().find(cls);
        if (!info)
            fail("unknown class \"" + cls + "\" (not registered) for the prototype \"" + reuse +
                 "\"");
        std::string source = source_ + ", prototype \"" + reuse + "\"";
        auto proto = std::make_shared<json>(node);
        proto->erase("id");
        auto bundle = std::make_shared<Bundle>(bundle_);
        std::weak_ptr<UIResponder> owner = sceneOwner;
        auto build = [proto, source, bundle, owner]() -> std::shared_ptr<UIView> {
            UINibDecoder decoder(source, *bundle);
            decoder.sceneOwner = owner;
            auto cell = decoder.decodeView(*proto);
            decoder.finish(cell, owner.lock());
            return cell;
        };
        if (table) {
            if (!UIClassRegistry::shared().isKindOf(cls, "UITableViewCell"))
                fail("the prototype \"" + reuse + "\" has the class \"" + cls +
                     "\", which is not a table cell");
            table->registerCell(
                reuse, [build] { return std::dynamic_pointer_cast<UITableViewCell>(build()); });
        } else {
            if (!UIClassRegistry::shared().isKindOf(cls, "UICollectionViewCell"))
                fail("the prototype \"" + reuse + "\" has the class \"" + cls +
                     "\", which is not a collection cell");
            collection->registerCell(reuse, [build] {
                return std::dynamic_pointer_cast<UICollectionViewCell>(build());
            });
        }
    }
}

void UINibDecoder::decodeStaticSections(UIView& view, const json& list) {
    auto* table = dynamic_cast<UITableView*>(&view);
    if (!table)
        fail("\"sections\" apply to table views only");
    for (auto& node : list) {
        UITableView::StaticSection section;
        if (node.contains("header"))
            section.header = node["header"].get<std::string>();
        if (node.contains("footer"))
            section.footer = node["footer"].get<std::string>();
        for (auto& cellNode : node.value("cells", json::array())) {
            json c = cellNode;
            if (!c.contains("class"))
                c["class"] = "UITableViewCell";
            auto cell = std::dynamic_pointer_cast<UITableViewCell>(decodeView(c));
            if (!cell)
                fail("a static cell must be a table cell");
            section.cells.push_back(cell);
        }
        table->staticSections.push_back(std::move(section));
    }
}

void UINibDecoder::addConstraints(const json& list) {
    for (auto& c : list)
        constraints_.push_back(c);
}

void UINibDecoder::addOutlets(const json& map) {
    for (auto& [name, id] : map.items())
        outlets_.push_back({name, id.get<std::string>()});
}

void UINibDecoder::addActions(const json& list) {
    for (auto& a : list)
        actions_.push_back({a.at("selector").get<std::string>(), a.at("sender").get<std::string>(),
                            a.value("event", "")});
}

// ---- Binding ----

void UINibDecoder::bindOutlet(UIResponder& owner, const std::string& name,
                              const std::string& id) const {
    const UIClassInfo* info = UIClassRegistry::shared().infoFor(owner);
    if (!info)
        fail("class " + owner.className() + " is not registered, so its outlet \"" + name +
             "\" cannot be bound");
    const UIClassInfo::Outlet* outlet = UIClassRegistry::shared().outlet(*info, name);
    if (!outlet)
        fail("outlet \"" + name + "\" is not declared by " + info->name);
    UIObjectReference value = object(id);
    if (!outlet->set(owner, value))
        fail("outlet \"" + name + "\" of " + info->name + " takes a " + outlet->type + ", but \"" +
             id + "\" is a " + value.className());
}

void UINibDecoder::bindAction(const std::shared_ptr<UIResponder>& target,
                              const PendingAction& pending) const {
    if (!target)
        fail("action \"" + pending.selector + "\" of \"" + pending.sender + "\" has no target");
    const UIClassInfo* info = UIClassRegistry::shared().infoFor(*target);
    if (!info)
        fail("class " + target->className() + " is not registered, so its action \"" +
             pending.selector + "\" cannot be bound");
    const UIClassInfo::Action* action = UIClassRegistry::shared().action(*info, pending.selector);
    if (!action)
        fail("action \"" + pending.selector + "\" is not declared by " + info->name);
    UIObjectReference sender = object(pending.sender);
    if (!action->accepts(sender))
        fail("action \"" + pending.selector + "\" of " + info->name + " takes a " +
             action->senderType + ", but its sender \"" + pending.sender + "\" is a " +
             sender.className());
    std::weak_ptr<UIResponder> weak = target;
    auto call = action->call;
    if (auto control = std::dynamic_pointer_cast<UIControl>(sender.view)) {
        uint32_t events = UIControlEventValueChanged;
        if (!pending.event.empty())
            events = eventsOf(pending.event);
        else if (std::dynamic_pointer_cast<UIButton>(control))
            events = UIControlEventTouchUpInside;
        else if (std::dynamic_pointer_cast<UITextField>(control))
            events = UIControlEventEditingChanged;
        control->addTarget(
            target, pending.selector,
            [weak, call](const std::shared_ptr<UIControl>& from, UIEvent*) {
                if (auto t = weak.lock())
                    call(*t, UIObjectReference{from, nullptr, nullptr, nullptr, nullptr});
            },
            events);
        return;
    }
    if (sender.recognizer) {
        sender.recognizer->addTarget(
            target, pending.selector, [weak, call](UIGestureRecognizer& r) {
                if (auto t = weak.lock())
                    call(*t, UIObjectReference{nullptr, nullptr, r.shared_from_this(), nullptr,
                                               nullptr});
            });
        return;
    }
    if (sender.barButtonItem) {
        sender.barButtonItem->selector = pending.selector;
        sender.barButtonItem->action = [weak, call](UIBarButtonItem& item) {
            if (auto t = weak.lock())
                call(*t, UIObjectReference{nullptr, nullptr, nullptr, item.shared_from_this(),
                                           nullptr});
        };
        return;
    }
    fail("action \"" + pending.selector + "\": \"" + pending.sender + "\" is a " +
         sender.className() + ", which sends no actions");
}

void UINibDecoder::finish(const std::shared_ptr<UIResponder>& owner,
                          const std::shared_ptr<UIResponder>& actionTarget) {
    std::vector<std::shared_ptr<NSLayoutConstraint>> made;
    for (auto& c : constraints_) {
        auto item = [&](const std::string& ref,
                        NSLayoutAttribute& attribute) -> std::shared_ptr<UILayoutItem> {
            auto dot = ref.rfind('.');
            if (dot == std::string::npos)
                fail("a constraint item is \"id.attribute\", not \"" + ref + "\"");
            attribute = layoutAttributeOf(ref.substr(dot + 1));
            std::string path = ref.substr(0, dot);
            std::string guide;
            if (auto inner = path.find('.'); inner != std::string::npos) {
                guide = path.substr(inner + 1);
                path = path.substr(0, inner);
            }
            auto view = object(path).view;
            if (!view)
                fail("constraint item \"" + path + "\" is not a view");
            if (guide.empty())
                return std::static_pointer_cast<UILayoutItem>(view);
            if (guide == "safeArea")
                return view->safeAreaLayoutGuide();
            if (guide == "margins")
                return view->layoutMarginsGuide();
            fail("unknown layout guide \"" + guide + "\" (safeArea or margins)");
        };
        if (!c.contains("first"))
            fail("a constraint needs \"first\"");
        NSLayoutAttribute firstAttribute{}, secondAttribute = NSLayoutAttribute::notAnAttribute;
        auto first = item(c["first"].get<std::string>(), firstAttribute);
        std::shared_ptr<UILayoutItem> second;
        if (c.contains("second"))
            second = item(c["second"].get<std::string>(), secondAttribute);
        std::string relation = c.value("relation", "==");
        NSLayoutRelation rel = relation == "<="   ? NSLayoutRelation::lessThanOrEqual
                               : relation == ">=" ? NSLayoutRelation::greaterThanOrEqual
                                                  : NSLayoutRelation::equal;
        if (relation != "==" && relation != "<=" && relation != ">=")
            fail("unknown constraint relation \"" + relation + "\"");
        auto constraint =
            NSLayoutConstraint::make(first, firstAttribute, rel, second, secondAttribute,
                                     c.value("multiplier", 1.0), c.value("constant", 0.0));
        if (c.contains("priority"))
            constraint->setPriority(c["priority"].get<float>());
        if (c.contains("id")) {
            constraint->identifier = c["id"].get<std::string>();
            addObject(constraint->identifier,
                      UIObjectReference{nullptr, constraint, nullptr, nullptr, nullptr});
        }
        if (c.contains("outlet"))
            outlets_.push_back({c["outlet"].get<std::string>(),
                                constraint->identifier.empty()
                                    ? (constraint->identifier = idOf(json::object(), "constraint"))
                                    : constraint->identifier});
        if (!c.contains("id") && c.contains("outlet"))
            addObject(constraint->identifier,
                      UIObjectReference{nullptr, constraint, nullptr, nullptr, nullptr});
        if (c.value("active", true))
            made.push_back(constraint);
    }
    NSLayoutConstraint::activate(made);
    if (owner)
        for (auto& [name, id] : outlets_)
            bindOutlet(*owner, name, id);
    else if (!outlets_.empty())
        fail("outlet \"" + outlets_.front().first + "\" has no owner to bind to");
    for (auto& action : actions_)
        bindAction(actionTarget, action);
    for (auto& view : views_)
        view->awakeFromNib();
}
