#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImageSymbolConfiguration.h"

#include <memory>
#include <optional>
#include <string>

class Bundle;

enum class UIImageRenderingMode { automatic, alwaysOriginal, alwaysTemplate };

// An image file of a bundle (PNG or SVG) or a system symbol. Images are not decoded here:
// the image keeps its name, file path and size, and the renderer draws it from the file.
class UIImage {
  public:
    // Looks for name.png, name@2x.png, name@3x.png, then name.svg (or the name itself when it
    // carries an extension) in the bundle's folder; nothing when there is no such file.
    static std::shared_ptr<UIImage> named(const std::string& name);
    static std::shared_ptr<UIImage> named(const std::string& name, const Bundle& bundle);
    // A system symbol: an SVG file of the main bundle's "symbols" folder; nothing for an
    // unknown symbol name.
    static std::shared_ptr<UIImage>
    systemName(const std::string& name,
               const std::optional<UIImageSymbolConfiguration>& configuration = std::nullopt);
    // Any PNG or SVG file; nothing when it is missing or of another kind.
    static std::shared_ptr<UIImage> contentsOfFile(const std::string& path);
    // An image with no file, of a given size (drawn by whoever made it).
    static std::shared_ptr<UIImage> blank(CGSize size, CGFloat scale = 1);

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    bool isSymbolImage() const { return symbol_; }
    bool isVector() const { return vector_; }
    const std::optional<UIImageSymbolConfiguration>& symbolConfiguration() const {
        return configuration_;
    }
    CGSize size() const { return size_; }
    CGFloat scale() const { return scale_; }
    UIImageRenderingMode renderingMode() const { return renderingMode_; }
    const std::optional<UIColor>& tintColor() const { return tint_; }

    std::shared_ptr<UIImage> withRenderingMode(UIImageRenderingMode mode) const;
    std::shared_ptr<UIImage> withTintColor(const UIColor& color) const;
    std::shared_ptr<UIImage>
    withConfiguration(const UIImageSymbolConfiguration& configuration) const;

    // The pixel size of a PNG file or the declared size of an SVG file.
    static std::optional<CGSize> fileSize(const std::string& path);

  private:
    UIImage() = default;
    static std::shared_ptr<UIImage> fromFile(const std::string& path, const std::string& name);
    void applySymbolSize();

    std::string name_;
    std::string path_;
    bool symbol_ = false;
    bool vector_ = false;
    std::optional<UIImageSymbolConfiguration> configuration_;
    CGSize intrinsic_;
    CGSize size_;
    CGFloat scale_ = 1;
    UIImageRenderingMode renderingMode_ = UIImageRenderingMode::automatic;
    std::optional<UIColor> tint_;
};
