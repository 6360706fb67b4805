#include "UIKit/UIImage.h"

#include "Foundation/Bundle.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::optional<CGSize> pngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return std::nullopt;
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(signature, signature + 8, header))
        return std::nullopt;
    auto be32 = [&](int at) {
        return (uint32_t(header[at]) << 24) | (uint32_t(header[at + 1]) << 16) |
               (uint32_t(header[at + 2]) << 8) | uint32_t(header[at + 3]);
    };
    return CGSize{double(be32(16)), double(be32(20))};
}

std::optional<double> svgLength(const std::string& tag, const std::string& attribute) {
    std::smatch m;
    std::regex re("\\b" + attribute + "\\s*=\\s*[\"']\\s*([0-9.]+)\\s*(px)?\\s*[\"']");
    if (std::regex_search(tag, m, re))
        return std::stod(m[1]);
    return std::nullopt;
}

std::optional<CGSize> svgSize(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    auto start = s.find("<svg");
    if (start == std::string::npos)
        return std::nullopt;
    auto end = s.find('>', start);
    std::string tag = s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    auto w = svgLength(tag, "width");
    auto h = svgLength(tag, "height");
    if (w && h)
        return CGSize{*w, *h};
    std::smatch m;
    std::regex viewBox(
        "viewBox\\s*=\\s*[\"']\\s*[-0-9.]+[ ,]+[-0-9.]+[ ,]+([0-9.]+)[ ,]+([0-9.]+)");
    if (std::regex_search(tag, m, viewBox))
        return CGSize{std::stod(m[1]), std::stod(m[2])};
    return CGSize{0, 0};
}

bool isFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string extensionOf(const std::string& name) {
    auto slash = name.find_last_of('/');
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == 0)
        return "";
    return name.substr(dot + 1);
}

CGFloat symbolScaleFactor(UIImageSymbolScale scale) {
    switch (scale) {
    case UIImageSymbolScale::small:
        return 0.8;
    case UIImageSymbolScale::large:
        return 1.3;
    default:
        return 1.0;
    }
}

} // namespace

std::optional<CGSize> UIImage::fileSize(const std::string& path) {
    std::string ext = extensionOf(path);
    if (ext == "png" || ext == "PNG")
        return pngSize(path);
    if (ext == "svg" || ext == "SVG")
        return svgSize(path);
    return std::nullopt;
}

std::shared_ptr<UIImage> UIImage::fromFile(const std::string& path, const std::string& name) {
    if (!isFile(path))
        return nullptr;
    auto size = fileSize(path);
    if (!size)
        return nullptr;
    std::shared_ptr<UIImage> image(new UIImage);
    image->name_ = name;
    image->path_ = path;
    image->vector_ = extensionOf(path) == "svg" || extensionOf(path) == "SVG";
    image->scale_ = path.find("@3x.") != std::string::npos   ? 3
                    : path.find("@2x.") != std::string::npos ? 2
                                                             : 1;
    image->intrinsic_ = *size;
    image->size_ = {size->width / image->scale_, size->height / image->scale_};
    return image;
}

std::shared_ptr<UIImage> UIImage::named(const std::string& name) {
    return named(name, Bundle::main());
}

std::shared_ptr<UIImage> UIImage::named(const std::string& name, const Bundle& bundle) {
    if (name.empty() || name.find("..") != std::string::npos)
        return nullptr;
    // The artwork sits in the bundle's folder or its "images" folder; a name asked for as a
    // bitmap ("bg.png") is also found as the SVG of the same base name.
    for (const std::string& folder :
         {bundle.resourcePath() + "/", bundle.resourcePath() + "/images/"}) {
        std::string ext = extensionOf(name);
        if (!ext.empty()) {
            if (auto image = fromFile(folder + name, name))
                return image;
            if (ext == "png" || ext == "jpg") {
                std::string base = name.substr(0, name.size() - ext.size() - 1);
                if (auto image = fromFile(folder + base + ".svg", name))
                    return image;
            }
        }
        for (const char* suffix : {".png", "@2x.png", "@3x.png", ".svg"}) {
            if (auto image = fromFile(folder + name + suffix, name))
                return image;
        }
    }
    return nullptr;
}

std::shared_ptr<UIImage>
UIImage::systemName(const std::string& name,
                    const std::optional<UIImageSymbolConfiguration>& configuration) {
    if (name.empty() || name.find('/') != std::string::npos)
        return nullptr;
    auto image = fromFile(Bundle::main().resourcePath() + "/symbols/" + name + ".svg", name);
    if (!image)
        return nullptr;
    image->symbol_ = true;
    image->renderingMode_ = UIImageRenderingMode::alwaysTemplate;
    image->configuration_ = configuration;
    image->applySymbolSize();
    return image;
}

std::shared_ptr<UIImage> UIImage::contentsOfFile(const std::string& path) {
    return fromFile(path, std::filesystem::path(path).stem().string());
}

std::shared_ptr<UIImage> UIImage::blank(CGSize size, CGFloat scale) {
    std::shared_ptr<UIImage> image(new UIImage);
    image->size_ = size;
    image->scale_ = scale > 0 ? scale : 1;
    image->intrinsic_ = {size.width * image->scale_, size.height * image->scale_};
    return image;
}

// A symbol is as tall as its point size (17 points by default) times its scale, keeping the
// aspect of its drawing.
void UIImage::applySymbolSize() {
    CGFloat points = configuration_ && configuration_->pointSize ? *configuration_->pointSize : 17;
    CGFloat factor =
        symbolScaleFactor(configuration_ ? configuration_->scale : UIImageSymbolScale::unspecified);
    CGFloat height = points * factor * 1.2;
    CGFloat aspect = intrinsic_.height > 0 ? intrinsic_.width / intrinsic_.height : 1;
    size_ = {height * aspect, height};
}

std::shared_ptr<UIImage> UIImage::withRenderingMode(UIImageRenderingMode mode) const {
    auto copy = std::shared_ptr<UIImage>(new UIImage(*this));
    copy->renderingMode_ = mode;
    return copy;
}

std::shared_ptr<UIImage> UIImage::withTintColor(const UIColor& color) const {
    auto copy = std::shared_ptr<UIImage>(new UIImage(*this));
    copy->tint_ = color;
    copy->renderingMode_ = UIImageRenderingMode::alwaysOriginal;
    return copy;
}

std::shared_ptr<UIImage>
UIImage::withConfiguration(const UIImageSymbolConfiguration& configuration) const {
    auto copy = std::shared_ptr<UIImage>(new UIImage(*this));
    if (!symbol_)
        return copy;
    copy->configuration_ = configuration_ ? configuration_->applying(configuration) : configuration;
    copy->applySymbolSize();
    return copy;
}
