#pragma once

#include "UIKit/NSLayoutConstraint.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIGestureRecognizer.h"
#include "UIKit/UIInterfaceError.h"
#include "UIKit/UIObjectReference.h"
#include "UIKit/UIResponder.h"
#include "UIKit/UIView.h"

#include <cstdlib>
#include <cxxabi.h>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <vector>

// What storyboards and interface files know of a class: how to make it, and its outlets and
// actions by name. Classes are registered once, next to their code:
//
//     UIKIT_REGISTER_CLASS(ConvertAreaViewController, UIViewController, d) {
//         d.outlet("acc_Btn", &ConvertAreaViewController::acc_Btn);
//         d.action("btnMain:", &ConvertAreaViewController::btnMain);
//         d.action("convertBtn", &ConvertAreaViewController::convertBtn);
//     }
//
// Outlets are std::weak_ptr (or std::shared_ptr) members of any view, constraint, gesture
// recognizer, bar button item or controller type; actions are member functions taking nothing
// or the sender (std::shared_ptr of its type). The base named second contributes its own
// outlets and actions. The platform's own classes (UIView, UIButton, UITableViewCell, ...) are
// always registered.
struct UIClassInfo {
    struct Outlet {
        std::string type;
        std::function<bool(UIResponder& owner, const UIObjectReference& value)> set;
    };
    struct Action {
        std::string senderType;
        std::function<bool(const UIObjectReference& sender)> accepts;
        std::function<void(UIResponder& target, const UIObjectReference& sender)> call;
    };

    std::string name;
    std::string baseName;
    std::type_index type = typeid(void);
    std::function<std::shared_ptr<UIResponder>()> make;
    std::map<std::string, Outlet> outlets;
    std::map<std::string, Action> actions;
};

template <class T>
std::string uiTypeName() {
    int status = 0;
    char* text = abi::__cxa_demangle(typeid(T).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && text ? text : typeid(T).name();
    std::free(text);
    return name;
}

// The object of a reference as a T, or none when it is something else.
template <class T>
std::shared_ptr<T> uiObjectAs(const UIObjectReference& ref) {
    if constexpr (std::is_base_of_v<UIView, T>) {
        return std::dynamic_pointer_cast<T>(ref.view);
    } else if constexpr (std::is_base_of_v<NSLayoutConstraint, T>) {
        return std::dynamic_pointer_cast<T>(ref.constraint);
    } else if constexpr (std::is_base_of_v<UIGestureRecognizer, T>) {
        return std::dynamic_pointer_cast<T>(ref.recognizer);
    } else if constexpr (std::is_base_of_v<UIBarButtonItem, T>) {
        return std::dynamic_pointer_cast<T>(ref.barButtonItem);
    } else if constexpr (std::is_base_of_v<UIResponder, T>) {
        if (ref.view)
            return std::dynamic_pointer_cast<T>(std::static_pointer_cast<UIResponder>(ref.view));
        return std::dynamic_pointer_cast<T>(ref.controller);
    } else {
        static_assert(std::is_base_of_v<UIView, T>, "outlets and senders are interface objects");
        return nullptr;
    }
}

template <class C>
class UIClassDeclaration {
  public:
    explicit UIClassDeclaration(UIClassInfo& info) : info_(info) {}

    template <class T>
    UIClassDeclaration& outlet(const std::string& name, std::weak_ptr<T> C::*member) {
        info_.outlets[name] = {uiTypeName<T>(),
                               [member](UIResponder& owner, const UIObjectReference& value) {
                                   auto typed = uiObjectAs<T>(value);
                                   auto* self = dynamic_cast<C*>(&owner);
                                   if (!typed || !self)
                                       return false;
                                   self->*member = typed;
                                   return true;
                               }};
        return *this;
    }
    template <class T>
    UIClassDeclaration& outlet(const std::string& name, std::shared_ptr<T> C::*member) {
        info_.outlets[name] = {uiTypeName<T>(),
                               [member](UIResponder& owner, const UIObjectReference& value) {
                                   auto typed = uiObjectAs<T>(value);
                                   auto* self = dynamic_cast<C*>(&owner);
                                   if (!typed || !self)
                                       return false;
                                   self->*member = typed;
                                   return true;
                               }};
        return *this;
    }

    UIClassDeclaration& action(const std::string& selector, void (C::*method)()) {
        info_.actions[selector] = {"", [](const UIObjectReference&) { return true; },
                                   [method](UIResponder& target, const UIObjectReference&) {
                                       if (auto* self = dynamic_cast<C*>(&target))
                                           (self->*method)();
                                   }};
        return *this;
    }
    template <class S>
    UIClassDeclaration& action(const std::string& selector, void (C::*method)(std::shared_ptr<S>)) {
        info_.actions[selector] = {
            uiTypeName<S>(),
            [](const UIObjectReference& sender) { return bool(uiObjectAs<S>(sender)); },
            [method](UIResponder& target, const UIObjectReference& sender) {
                auto* self = dynamic_cast<C*>(&target);
                auto typed = uiObjectAs<S>(sender);
                if (self && typed)
                    (self->*method)(typed);
            }};
        return *this;
    }
    template <class S>
    UIClassDeclaration& action(const std::string& selector,
                               void (C::*method)(const std::shared_ptr<S>&)) {
        info_.actions[selector] = {
            uiTypeName<S>(),
            [](const UIObjectReference& sender) { return bool(uiObjectAs<S>(sender)); },
            [method](UIResponder& target, const UIObjectReference& sender) {
                auto* self = dynamic_cast<C*>(&target);
                auto typed = uiObjectAs<S>(sender);
                if (self && typed)
                    (self->*method)(typed);
            }};
        return *this;
    }

    // How to make the class when it has no default constructor or needs a second step.
    UIClassDeclaration& factory(std::function<std::shared_ptr<C>()> make) {
        info_.make = [make] { return std::static_pointer_cast<UIResponder>(make()); };
        return *this;
    }

  private:
    UIClassInfo& info_;
};

class UIClassRegistry {
  public:
    static UIClassRegistry& shared();

    // Replaces a class of the same name.
    void add(UIClassInfo info);
    const UIClassInfo* find(const std::string& name) const;
    const UIClassInfo* find(std::type_index type) const;
    // The class of an object: its own registration, else nothing.
    const UIClassInfo* infoFor(const UIResponder& object) const;
    // Looks through the class and its bases.
    const UIClassInfo::Outlet* outlet(const UIClassInfo& info, const std::string& name) const;
    const UIClassInfo::Action* action(const UIClassInfo& info, const std::string& selector) const;
    // Whether `name` is `base` or derives from it, as registered.
    bool isKindOf(const std::string& name, const std::string& base) const;
    // Makes an instance; throws UIInterfaceError for an unknown class or one without a factory.
    std::shared_ptr<UIResponder> make(const std::string& name) const;
    std::vector<std::string> classNames() const;

    template <class C>
    static UIClassInfo describe(const std::string& name, const std::string& baseName,
                                void (*declare)(UIClassDeclaration<C>&)) {
        UIClassInfo info;
        info.name = name;
        info.baseName = baseName;
        info.type = typeid(C);
        if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>)
            info.make = [] { return std::static_pointer_cast<UIResponder>(std::make_shared<C>()); };
        UIClassDeclaration<C> declaration(info);
        if (declare)
            declare(declaration);
        return info;
    }
    template <class C>
    static bool registerClass(const std::string& name, const std::string& baseName,
                              void (*declare)(UIClassDeclaration<C>&)) {
        shared().add(describe<C>(name, baseName, declare));
        return true;
    }

  private:
    UIClassRegistry();
    void addBuiltinClasses();
    std::map<std::string, UIClassInfo> classes_;
    std::map<std::type_index, std::string> byType_;
};

#define UIKIT_CONCAT_INNER(a, b) a##b
#define UIKIT_CONCAT(a, b) UIKIT_CONCAT_INNER(a, b)
// Registers Type (deriving from Base) and opens the body that declares its outlets and actions
// on `decl`. Use once per class, in its .cpp file.
#define UIKIT_REGISTER_CLASS(Type, Base, decl)                                                     \
    static void UIKIT_CONCAT(uikitDeclare_, __LINE__)(UIClassDeclaration<Type> & decl);            \
    [[maybe_unused]] static const bool UIKIT_CONCAT(uikitRegistered_, __LINE__) =                  \
        UIClassRegistry::registerClass<Type>(#Type, #Base,                                         \
                                             &UIKIT_CONCAT(uikitDeclare_, __LINE__));              \
    static void UIKIT_CONCAT(uikitDeclare_,                                                        \
                             __LINE__)([[maybe_unused]] UIClassDeclaration<Type> & decl)
