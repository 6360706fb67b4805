#pragma once

#include "UIKit/UIInterfaceError.h"
#include "UIKit/UIViewController.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class Bundle;

// A storyboard: "<name>.storyboard.json" in a bundle, a set of scenes, each a controller with
// its view, outlets, actions and relationships (a navigation controller's root, a tab bar
// controller's tabs). Controllers are made fresh on every instantiation; their views load on
// first access. Missing files, unknown identifiers and classes, and outlets or actions that
// their class does not declare throw UIInterfaceError with the name at fault.
class UIStoryboard : public std::enable_shared_from_this<UIStoryboard> {
  public:
    static std::shared_ptr<UIStoryboard> make(const std::string& name,
                                              const Bundle* bundle = nullptr);
    static bool exists(const std::string& name, const Bundle& bundle);

    const std::string& name() const { return name_; }
    std::shared_ptr<UIViewController> instantiateInitialViewController();
    std::shared_ptr<UIViewController> instantiateViewController(const std::string& identifier);
    template <class T>
    std::shared_ptr<T> instantiateViewController(const std::string& identifier) {
        auto controller = instantiateViewController(identifier);
        auto typed = std::dynamic_pointer_cast<T>(controller);
        if (!typed)
            throw UIInterfaceError(fileName() + ": the controller \"" + identifier + "\" is a " +
                                   controller->className() + ", not the class asked for");
        return typed;
    }

    // Storyboard identifiers, and the ids of all scenes (with or without an identifier).
    std::vector<std::string> identifiers() const;
    std::vector<std::string> sceneIDs() const;
    std::shared_ptr<UIViewController> instantiateScene(const std::string& sceneID);
    // Builds the scene, its view and every cell prototype once: the way to check a storyboard.
    void validateScene(const std::string& sceneID);

    std::string fileName() const { return name_ + ".storyboard.json"; }

  private:
    UIStoryboard(std::string name, std::shared_ptr<const nlohmann::json> document,
                 std::shared_ptr<Bundle> bundle);
    const nlohmann::json& scene(const std::string& sceneID) const;
    void configure(UIViewController& controller, const nlohmann::json& scene,
                   const std::string& context);

    std::string name_;
    std::shared_ptr<const nlohmann::json> document_;
    std::shared_ptr<Bundle> bundle_;
};
