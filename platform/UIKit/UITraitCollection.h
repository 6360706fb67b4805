#pragma once

enum class UIUserInterfaceStyle { unspecified, light, dark };
enum class UIUserInterfaceIdiom { unspecified, phone, pad };

// The environment a colour or image is resolved in.
struct UITraitCollection {
    UIUserInterfaceStyle userInterfaceStyle = UIUserInterfaceStyle::light;
    UIUserInterfaceIdiom userInterfaceIdiom = UIUserInterfaceIdiom::phone;
    double displayScale = 2.0;

    bool operator==(const UITraitCollection&) const = default;

    // The traits colours resolve against when no view is asked; light phone by default.
    static UITraitCollection& current();
};
