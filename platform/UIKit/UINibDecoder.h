#pragma once

#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIObjectReference.h"

#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class Bundle;
class UIBarButtonItem;
class UIImage;
class UIResponder;
class UIStoryboard;
class UIView;

// Builds objects from the JSON of a storyboard scene or an interface file (the format is
// described in resources/README.md): views with their properties, gesture recognizers, bar
// button items and constraints, each findable by its "id". Outlets and actions named in the
// file are collected and bound by `finish`. Every problem throws UIInterfaceError with the
// file's name and the name at fault.
class UINibDecoder {
  public:
    using json = nlohmann::json;

    UINibDecoder(std::string source, const Bundle& bundle);

    // The file the objects come from, for messages ("Main.storyboard.json, scene \"home\"").
    const std::string& source() const { return source_; }
    const Bundle& bundle() const { return bundle_; }
    // The controller that actions of prototype cells made inside this file target.
    std::weak_ptr<UIResponder> sceneOwner;
    std::shared_ptr<UIStoryboard> storyboard;

    // A view and its subtree. `into` receives the node's properties instead of a new view.
    std::shared_ptr<UIView> decodeView(const json& node, std::shared_ptr<UIView> into = nullptr);
    std::shared_ptr<UIBarButtonItem> decodeBarButtonItem(const json& node);
    void addConstraints(const json& list);
    // Outlets of the owner: name → object id.
    void addOutlets(const json& map);
    // Actions sent to the action target: {"selector", "sender", "event"}.
    void addActions(const json& list);
    // Registers an object made elsewhere under an id.
    void addObject(const std::string& id, UIObjectReference object);
    UIObjectReference object(const std::string& id) const;
    bool hasObject(const std::string& id) const { return objects_.count(id) > 0; }

    // Activates the constraints, binds outlets to `owner` and actions to `actionTarget`, then
    // tells every view made here that it has woken from the file.
    void finish(const std::shared_ptr<UIResponder>& owner,
                const std::shared_ptr<UIResponder>& actionTarget);

    [[noreturn]] void fail(const std::string& what) const;

    // Values as files write them.
    UIColor color(const json& value) const;
    UIFont font(const json& value) const;
    std::shared_ptr<UIImage> image(const json& value) const;

    // Extra properties a file may set on any view under "attributes" (the kit registers its
    // own, such as "layerCornerRadius").
    using Attribute = std::function<void(UIView& view, const json& value)>;
    static void registerAttribute(const std::string& name, Attribute attribute);

  private:
    struct PendingAction {
        std::string selector;
        std::string sender;
        std::string event;
    };
    void registerId(const json& node, UIObjectReference object);
    void applyProperties(UIView& view, const json& node);
    bool applyProperty(UIView& view, const std::string& key, const json& value);
    void decodeChildren(UIView& view, const json& node);
    void decodeRecognizers(UIView& view, const json& list);
    void decodePrototypes(UIView& view, const json& list);
    void decodeStaticSections(UIView& view, const json& list);
    void collectNodeLinks(const json& node, const std::string& id);
    std::string idOf(const json& node, const std::string& fallbackPrefix);
    void bindOutlet(UIResponder& owner, const std::string& name, const std::string& id) const;
    void bindAction(const std::shared_ptr<UIResponder>& target, const PendingAction& action) const;

    std::string source_;
    const Bundle& bundle_;
    std::map<std::string, UIObjectReference> objects_;
    std::vector<std::pair<std::string, std::string>> outlets_;
    std::vector<PendingAction> actions_;
    std::vector<json> constraints_;
    std::vector<std::shared_ptr<UIView>> views_;
    int anonymous_ = 0;
};
