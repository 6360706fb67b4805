#include "UIKit/UIClassRegistry.h"

UIClassRegistry& UIClassRegistry::shared() {
    static UIClassRegistry registry;
    return registry;
}

UIClassRegistry::UIClassRegistry() {
    addBuiltinClasses();
}

void UIClassRegistry::add(UIClassInfo info) {
    std::string name = info.name;
    byType_[info.type] = name;
    classes_[name] = std::move(info);
}

const UIClassInfo* UIClassRegistry::find(const std::string& name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : &it->second;
}

const UIClassInfo* UIClassRegistry::find(std::type_index type) const {
    auto it = byType_.find(type);
    return it == byType_.end() ? nullptr : find(it->second);
}

const UIClassInfo* UIClassRegistry::infoFor(const UIResponder& object) const {
    return find(std::type_index(typeid(object)));
}

const UIClassInfo::Outlet* UIClassRegistry::outlet(const UIClassInfo& info,
                                                   const std::string& name) const {
    for (const UIClassInfo* c = &info; c; c = find(c->baseName)) {
        auto it = c->outlets.find(name);
        if (it != c->outlets.end())
            return &it->second;
        if (c->baseName == c->name)
            break;
    }
    return nullptr;
}

const UIClassInfo::Action* UIClassRegistry::action(const UIClassInfo& info,
                                                   const std::string& selector) const {
    for (const UIClassInfo* c = &info; c; c = find(c->baseName)) {
        auto it = c->actions.find(selector);
        if (it != c->actions.end())
            return &it->second;
        if (c->baseName == c->name)
            break;
    }
    return nullptr;
}

bool UIClassRegistry::isKindOf(const std::string& name, const std::string& base) const {
    for (const UIClassInfo* c = find(name); c; c = find(c->baseName)) {
        if (c->name == base)
            return true;
        if (c->baseName == c->name)
            break;
    }
    return false;
}

std::shared_ptr<UIResponder> UIClassRegistry::make(const std::string& name) const {
    const UIClassInfo* info = find(name);
    if (!info)
        throw UIInterfaceError("unknown class \"" + name + "\" (not registered)");
    if (!info->make)
        throw UIInterfaceError("class \"" + name + "\" cannot be made from an interface file");
    return info->make();
}

std::vector<std::string> UIClassRegistry::classNames() const {
    std::vector<std::string> names;
    for (auto& [name, info] : classes_)
        names.push_back(name);
    return names;
}
