#include "UIKit/UIStoryboard.h"

#include "Foundation/Bundle.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UICollectionView.h"
#include "UIKit/UIControl.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UITabBarController.h"
#include "UIKit/UITabBarItem.h"
#include "UIKit/UITableView.h"

#include <filesystem>
#include <functional>
#include <set>

using json = nlohmann::json;

namespace {

const std::set<std::string>& sceneKeys() {
    static const std::set<std::string> keys = {"id",
                                               "storyboardIdentifier",
                                               "class",
                                               "title",
                                               "modalPresentationStyle",
                                               "modalTransitionStyle",
                                               "definesPresentationContext",
                                               "navigationItem",
                                               "rootViewController",
                                               "viewControllers",
                                               "navigationBarHidden",
                                               "tabBarItem",
                                               "view",
                                               "outlets",
                                               "actions",
                                               "constraints",
                                               "segues",
                                               "preferredContentSize",
                                               "comment"};
    return keys;
}

UIModalPresentationStyle presentationStyleOf(const std::string& name,
                                             const std::function<void(const std::string&)>& fail) {
    static const std::map<std::string, UIModalPresentationStyle> styles = {
        {"automatic", UIModalPresentationStyle::automatic},
        {"fullScreen", UIModalPresentationStyle::fullScreen},
        {"pageSheet", UIModalPresentationStyle::pageSheet},
        {"formSheet", UIModalPresentationStyle::formSheet},
        {"currentContext", UIModalPresentationStyle::currentContext},
        {"custom", UIModalPresentationStyle::custom},
        {"overFullScreen", UIModalPresentationStyle::overFullScreen},
        {"overCurrentContext", UIModalPresentationStyle::overCurrentContext},
        {"popover", UIModalPresentationStyle::popover}};
    auto it = styles.find(name);
    if (it == styles.end())
        fail("unknown presentation style \"" + name + "\"");
    return it->second;
}

} // namespace

UIStoryboard::UIStoryboard(std::string name, std::shared_ptr<const json> document,
                           std::shared_ptr<Bundle> bundle)
    : name_(std::move(name)), document_(std::move(document)), bundle_(std::move(bundle)) {}

bool UIStoryboard::exists(const std::string& name, const Bundle& bundle) {
    return std::filesystem::exists(bundle.resourcePath() + "/" + name + ".storyboard.json");
}

std::shared_ptr<UIStoryboard> UIStoryboard::make(const std::string& name, const Bundle* bundle) {
    auto owned = std::make_shared<Bundle>(bundle ? *bundle : Bundle::main());
    std::string file = name + ".storyboard.json";
    auto document =
        loadInterfaceDocument(owned->resourcePath() + "/" + file, "the storyboard " + file);
    if (!document->contains("scenes") || !(*document)["scenes"].is_array())
        throw UIInterfaceError(file + ": a storyboard needs a \"scenes\" list");
    return std::shared_ptr<UIStoryboard>(new UIStoryboard(name, document, owned));
}

const json& UIStoryboard::scene(const std::string& sceneID) const {
    for (auto& s : (*document_)["scenes"])
        if (s.value("id", "") == sceneID)
            return s;
    throw UIInterfaceError(fileName() + ": no scene has the id \"" + sceneID + "\"");
}

std::vector<std::string> UIStoryboard::identifiers() const {
    std::vector<std::string> out;
    for (auto& s : (*document_)["scenes"])
        if (s.contains("storyboardIdentifier"))
            out.push_back(s["storyboardIdentifier"].get<std::string>());
    return out;
}

std::vector<std::string> UIStoryboard::sceneIDs() const {
    std::vector<std::string> out;
    for (auto& s : (*document_)["scenes"])
        out.push_back(s.value("id", ""));
    return out;
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateInitialViewController() {
    if (!document_->contains("initialViewController"))
        return nullptr;
    return instantiateScene((*document_)["initialViewController"].get<std::string>());
}

std::shared_ptr<UIViewController>
UIStoryboard::instantiateViewController(const std::string& identifier) {
    for (auto& s : (*document_)["scenes"])
        if (s.value("storyboardIdentifier", "") == identifier)
            return instantiateScene(s.value("id", ""));
    throw UIInterfaceError(fileName() +
                           ": the storyboard has no controller with the identifier \"" +
                           identifier + "\"");
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateScene(const std::string& sceneID) {
    const json& node = scene(sceneID);
    std::string context = fileName() + ", scene \"" + sceneID + "\"";
    std::string cls = node.value("class", "UIViewController");
    std::shared_ptr<UIResponder> made;
    try {
        made = UIClassRegistry::shared().make(cls);
    } catch (const UIInterfaceError& e) {
        throw UIInterfaceError(context + ": " + e.what());
    }
    auto controller = std::dynamic_pointer_cast<UIViewController>(made);
    if (!controller)
        throw UIInterfaceError(context + ": class \"" + cls + "\" is not a view controller");
    controller->setStoryboard(shared_from_this());
    configure(*controller, node, context);
    controller->awakeFromNib();
    return controller;
}

void UIStoryboard::configure(UIViewController& controller, const json& node,
                             const std::string& context) {
    auto fail = [&context](const std::string& what) {
        throw UIInterfaceError(context + ": " + what);
    };
    for (auto& [key, value] : node.items())
        if (!sceneKeys().count(key))
            fail("unknown scene key \"" + key + "\"");
    if (node.contains("title"))
        controller.setTitle(node["title"].get<std::string>());
    if (node.contains("modalPresentationStyle"))
        controller.modalPresentationStyle =
            presentationStyleOf(node["modalPresentationStyle"].get<std::string>(), fail);
    if (node.contains("modalTransitionStyle")) {
        std::string t = node["modalTransitionStyle"].get<std::string>();
        controller.modalTransitionStyle =
            t == "crossDissolve"    ? UIModalTransitionStyle::crossDissolve
            : t == "flipHorizontal" ? UIModalTransitionStyle::flipHorizontal
                                    : UIModalTransitionStyle::coverVertical;
    }
    if (node.contains("definesPresentationContext"))
        controller.definesPresentationContext = node["definesPresentationContext"].get<bool>();
    if (node.contains("preferredContentSize"))
        controller.preferredContentSize = {node["preferredContentSize"].at(0).get<double>(),
                                           node["preferredContentSize"].at(1).get<double>()};

    auto self = controller.sharedController();
    // Bar button items are bound at once: their target is the controller itself.
    if (node.contains("navigationItem")) {
        const json& n = node["navigationItem"];
        auto item = controller.navigationItem();
        UINibDecoder decoder(context, *bundle_);
        if (n.contains("title"))
            item->title = n["title"].get<std::string>();
        if (n.contains("backButtonTitle"))
            item->backButtonTitle = n["backButtonTitle"].get<std::string>();
        if (n.contains("hidesBackButton"))
            item->hidesBackButton = n["hidesBackButton"].get<bool>();
        if (n.contains("backBarButtonItem"))
            item->backBarButtonItem = decoder.decodeBarButtonItem(n["backBarButtonItem"]);
        for (auto& b : n.value("leftBarButtonItems", json::array()))
            item->leftBarButtonItems.push_back(decoder.decodeBarButtonItem(b));
        for (auto& b : n.value("rightBarButtonItems", json::array()))
            item->rightBarButtonItems.push_back(decoder.decodeBarButtonItem(b));
        decoder.finish(self, self);
    }
    if (node.contains("tabBarItem")) {
        const json& t = node["tabBarItem"];
        auto item = controller.tabBarItem();
        item->title = t.value("title", item->title);
        if (t.contains("image")) {
            UINibDecoder decoder(context, *bundle_);
            item->image = decoder.image(t["image"]);
        }
    }
    if (auto nav = std::dynamic_pointer_cast<UINavigationController>(self)) {
        std::vector<std::shared_ptr<UIViewController>> stack;
        if (node.contains("rootViewController"))
            stack.push_back(instantiateScene(node["rootViewController"].get<std::string>()));
        for (auto& id : node.value("viewControllers", json::array()))
            stack.push_back(instantiateScene(id.get<std::string>()));
        nav->setViewControllers(stack, false);
        if (node.value("navigationBarHidden", false))
            nav->setNavigationBarHidden(true, false);
    } else if (auto tab = std::dynamic_pointer_cast<UITabBarController>(self)) {
        std::vector<std::shared_ptr<UIViewController>> tabs;
        for (auto& id : node.value("viewControllers", json::array()))
            tabs.push_back(instantiateScene(id.get<std::string>()));
        tab->setViewControllers(tabs);
    } else if (node.contains("rootViewController") || node.contains("viewControllers")) {
        fail("only navigation and tab bar controllers hold other controllers");
    }
    if (!node.contains("view")) {
        if (node.contains("outlets") || node.contains("actions"))
            fail("a scene without a view has no outlets or actions");
        return;
    }

    std::weak_ptr<UIStoryboard> weakBoard = shared_from_this();
    auto document = document_;
    auto bundle = bundle_;
    const json* sceneNode = &node;
    controller.setViewLoader([weakBoard, document, bundle, sceneNode,
                              context](UIViewController& c) {
        auto owner = c.sharedController();
        UINibDecoder decoder(context, *bundle);
        decoder.sceneOwner = owner;
        decoder.storyboard = weakBoard.lock();
        auto view = decoder.decodeView((*sceneNode)["view"]);
        c.setView(view);
        if (sceneNode->contains("constraints"))
            decoder.addConstraints((*sceneNode)["constraints"]);
        if (sceneNode->contains("outlets"))
            decoder.addOutlets((*sceneNode)["outlets"]);
        if (sceneNode->contains("actions"))
            decoder.addActions((*sceneNode)["actions"]);
        decoder.finish(owner, owner);
        // Segues: a control that opens another scene of this storyboard.
        for (auto& segue : sceneNode->value("segues", json::array())) {
            auto control = std::dynamic_pointer_cast<UIControl>(
                decoder.object(segue.at("sender").get<std::string>()).view);
            if (!control)
                decoder.fail("the sender of a segue must be a control");
            std::string destination = segue.at("destination").get<std::string>();
            std::string kind = segue.value("kind", "present");
            std::optional<UIModalPresentationStyle> style;
            if (segue.contains("modalPresentationStyle"))
                style = presentationStyleOf(segue["modalPresentationStyle"].get<std::string>(),
                                            [&decoder](const std::string& w) { decoder.fail(w); });
            std::weak_ptr<UIViewController> weakOwner = owner;
            control->addHandler(
                [weakBoard, weakOwner, destination, kind, style](const std::shared_ptr<UIControl>&,
                                                                 UIEvent*) {
                    auto board = weakBoard.lock();
                    auto from = weakOwner.lock();
                    if (!board || !from)
                        return;
                    auto to = board->instantiateScene(destination);
                    if (style)
                        to->modalPresentationStyle = *style;
                    if (kind == "show" && from->navigationController())
                        from->navigationController()->pushViewController(to, true);
                    else
                        from->present(to, true);
                },
                UIControlEventTouchUpInside);
        }
    });
}

void UIStoryboard::validateScene(const std::string& sceneID) {
    auto controller = instantiateScene(sceneID);
    std::function<void(const std::shared_ptr<UIViewController>&)> load =
        [&](const std::shared_ptr<UIViewController>& c) {
            c->loadViewIfNeeded();
            std::function<void(const std::shared_ptr<UIView>&)> build =
                [&](const std::shared_ptr<UIView>& v) {
                    if (auto table = std::dynamic_pointer_cast<UITableView>(v))
                        table->makeEachRegisteredCell();
                    if (auto collection = std::dynamic_pointer_cast<UICollectionView>(v))
                        collection->makeEachRegisteredCell();
                    for (auto& sub : v->subviews())
                        build(sub);
                };
            build(c->view());
            for (auto& child : c->children())
                load(child);
        };
    load(controller);
}
