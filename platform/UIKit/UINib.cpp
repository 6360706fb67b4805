#include "UIKit/UINib.h"

#include "Foundation/Bundle.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UIResponder.h"
#include "UIKit/UIView.h"
#include "UIKit/UIViewController.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

std::shared_ptr<const nlohmann::json> loadInterfaceDocument(const std::string& path,
                                                            const std::string& displayName) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const nlohmann::json>> cache;
    std::lock_guard lock(mutex);
    if (auto it = cache.find(path); it != cache.end())
        return it->second;
    std::ifstream in(path);
    if (!in)
        throw UIInterfaceError("cannot read " + displayName + " (" + path + ")");
    auto document = std::make_shared<nlohmann::json>(nlohmann::json::parse(in, nullptr, false));
    if (document->is_discarded() || !document->is_object())
        throw UIInterfaceError(displayName + " is not a JSON object");
    cache[path] = document;
    return document;
}

UINib::UINib(std::string name, std::shared_ptr<const nlohmann::json> document,
             std::shared_ptr<Bundle> bundle)
    : name_(std::move(name)), document_(std::move(document)), bundle_(std::move(bundle)) {}

bool UINib::exists(const std::string& name, const Bundle& bundle) {
    return std::filesystem::exists(bundle.resourcePath() + "/" + name + ".xib.json");
}

std::shared_ptr<UINib> UINib::make(const std::string& name, const Bundle* bundle) {
    auto owned = std::make_shared<Bundle>(bundle ? *bundle : Bundle::main());
    std::string file = name + ".xib.json";
    auto document =
        loadInterfaceDocument(owned->resourcePath() + "/" + file, "the interface file " + file);
    return std::shared_ptr<UINib>(new UINib(name, document, owned));
}

std::vector<std::shared_ptr<UIView>>
UINib::instantiate(const std::shared_ptr<UIResponder>& owner) const {
    const auto& doc = *document_;
    UINibDecoder decoder(name_ + ".xib.json", *bundle_);
    decoder.sceneOwner = owner;
    std::vector<std::shared_ptr<UIView>> views;
    for (auto& node : doc.value("objects", nlohmann::json::array()))
        views.push_back(decoder.decodeView(node));
    if (doc.contains("constraints"))
        decoder.addConstraints(doc["constraints"]);
    if (doc.contains("outlets"))
        decoder.addOutlets(doc["outlets"]);
    if (doc.contains("actions"))
        decoder.addActions(doc["actions"]);
    for (auto& [key, value] : doc.items())
        if (key != "objects" && key != "constraints" && key != "outlets" && key != "actions" &&
            key != "comment")
            decoder.fail("unknown key \"" + key + "\"");
    decoder.finish(owner, owner);
    return views;
}

std::vector<std::shared_ptr<UIView>> loadNibNamed(const Bundle& bundle, const std::string& name,
                                                  const std::shared_ptr<UIResponder>& owner) {
    return UINib::make(name, &bundle)->instantiate(owner);
}
