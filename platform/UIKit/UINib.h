#pragma once

#include "UIKit/UIInterfaceError.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class Bundle;
class UIResponder;
class UIView;

// An interface file: "<name>.xib.json" in a bundle (the main one by default), a list of
// top-level views with the outlets and actions of the object that loads it (its owner).
// A missing or malformed file throws UIInterfaceError naming it.
class UINib {
  public:
    static std::shared_ptr<UINib> make(const std::string& name, const Bundle* bundle = nullptr);
    static bool exists(const std::string& name, const Bundle& bundle);

    const std::string& name() const { return name_; }
    // Makes the views, binds the owner's outlets and actions, and returns the top-level views.
    std::vector<std::shared_ptr<UIView>>
    instantiate(const std::shared_ptr<UIResponder>& owner) const;

  private:
    UINib(std::string name, std::shared_ptr<const nlohmann::json> document,
          std::shared_ptr<Bundle> bundle);

    std::string name_;
    std::shared_ptr<const nlohmann::json> document_;
    std::shared_ptr<Bundle> bundle_;
};

// Loads the interface file `name` of the bundle with `owner` as its owner.
std::vector<std::shared_ptr<UIView>> loadNibNamed(const Bundle& bundle, const std::string& name,
                                                  const std::shared_ptr<UIResponder>& owner);

// The parsed JSON of a storyboard or interface file, read once per path.
std::shared_ptr<const nlohmann::json> loadInterfaceDocument(const std::string& path,
                                                            const std::string& displayName);
