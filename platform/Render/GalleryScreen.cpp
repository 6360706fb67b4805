#include "Render/GalleryScreen.h"

#include "UIKit/CAGradientLayer.h"
#include "UIKit/UIActivityIndicatorView.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIPageControl.h"
#include "UIKit/UIProgressView.h"
#include "UIKit/UISearchBar.h"
#include "UIKit/UISlider.h"
#include "UIKit/UITextField.h"

namespace {

std::shared_ptr<UILabel> label(const std::string& text, const CGRect& frame, const UIFont& font,
                               const UIColor& color) {
    auto l = UILabel::make(frame);
    l->setText(text);
    l->setFont(font);
    l->setTextColor(color);
    return l;
}

void addGradient(UIView& view) {
    auto gradient = CAGradientLayer::make();
    gradient->setFrame(view.bounds());
    gradient->colors = {UIColor::rgb255(75, 57, 93), UIColor::rgb255(40, 48, 72)};
    gradient->locations = std::vector<double>{0, 1};
    gradient->startPoint = {1, 0};
    gradient->endPoint = {1, 1};
    view.layer()->insertSublayer(gradient, 0);
}

std::shared_ptr<UIButton> sourceTile(const std::string& image, const std::string& title,
                                     const CGRect& frame) {
    auto tile = UIButton::make(UIButtonType::custom, frame);
    tile->setImage(UIImage::named(image), UIControlStateNormal);
    tile->setBackgroundColor(UIColor::white(1, 0.08));
    tile->layer()->cornerRadius = 16;
    tile->setTitle(title, UIControlStateNormal);
    tile->titleLabel()->setFont(UIFont::systemFont(13, UIFont::Weight::medium));
    return tile;
}

void addControls(UIView& root, CGFloat width) {
    auto search = UISearchBar::make({0, 150, width, 56});
    search->setPlaceholder("Search");
    root.addSubview(search);

    auto field = UITextField::make({20, 222, width - 40, 36});
    field->borderStyle = UITextBorderStyle::roundedRect;
    field->placeholder = "Paste the URL here";
    field->textColor = UIColor::black();
    root.addSubview(field);

    auto slider = UISlider::make({20, 276, width - 40, 31});
    slider->setValue(0.35f);
    slider->minimumTrackTintColor = UIColor::rgb255(117, 151, 242);
    root.addSubview(slider);

    auto progress = UIProgressView::make();
    progress->setFrame({20, 322, width - 40, 4});
    progress->setProgress(0.6f);
    progress->progressTintColor = UIColor::rgb255(117, 151, 242);
    root.addSubview(progress);

    auto spinner = UIActivityIndicatorView::make(UIActivityIndicatorViewStyle::large);
    spinner->color = UIColor::white();
    spinner->setFrame({width / 2 - 20, 344, 40, 40});
    spinner->startAnimating();
    root.addSubview(spinner);
}

void addOptions(UIView& root, CGFloat width) {
    const char* names[] = {"MP3", "WAV", "FLAC"};
    CGFloat w = (width - 40 - 20) / 3;
    for (int i = 0; i < 3; ++i) {
        auto b = UIButton::make(UIButtonType::custom, {20 + i * (w + 10), 400, w, 40});
        b->setBackgroundImage(UIImage::named(i == 1 ? "ic_h_label_selected" : "ic_h_label"),
                              UIControlStateNormal);
        b->setTitle(names[i], UIControlStateNormal);
        b->titleLabel()->setFont(UIFont::systemFont(15, UIFont::Weight::semibold));
        root.addSubview(b);
    }
    auto convert = UIButton::make(UIButtonType::system, {20, 460, width - 40, 50});
    convert->setTitle("Convert", UIControlStateNormal);
    convert->setTitleColor(UIColor::white(), UIControlStateNormal);
    convert->setBackgroundColor(UIColor::rgb255(117, 151, 242));
    convert->layer()->cornerRadius = 10;
    convert->titleLabel()->setFont(UIFont::systemFont(17, UIFont::Weight::semibold));
    root.addSubview(convert);
}

void addTiles(UIView& root, CGFloat width) {
    const std::pair<const char*, const char*> sources[] = {
        {"ic_source_music", "Music"}, {"ic_source_files", "Files"}, {"ic_source_link", "Link"}};
    CGFloat w = (width - 40 - 20) / 3;
    for (int i = 0; i < 3; ++i) {
        auto tile =
            sourceTile(sources[i].first, sources[i].second, {20 + i * (w + 10), 530, w, 96});
        root.addSubview(tile);
    }
    auto empty = UIImageView::make(UIImage::named("ic_no_files"));
    empty->setFrame({width / 2 - 80, 650, 160, 120});
    empty->contentMode = UIViewContentMode::scaleAspectFit;
    root.addSubview(empty);
    auto note = label("No recent files", {0, 780, width, 22}, UIFont::systemFont(15),
                      UIColor::white(1, 0.6));
    note->textAlignment = NSTextAlignment::center;
    root.addSubview(note);
}

} // namespace

std::shared_ptr<UIView> GalleryScreen::make(CGSize size) {
    auto root = UIView::make({0, 0, size.width, size.height});
    root->setBackgroundColor(UIColor::black());
    addGradient(*root);
    root->addSubview(label("Melodrift", {20, 64, size.width - 40, 41},
                           UIFont::systemFont(34, UIFont::Weight::bold), UIColor::white()));
    auto sub = label("Convert, trim and keep your audio", {20, 108, size.width - 40, 20},
                     UIFont::systemFont(15), UIColor::white(1, 0.7));
    root->addSubview(sub);
    auto gear = UIImageView::make(UIImage::systemName("gearshape.fill"));
    gear->setFrame({size.width - 48, 72, 28, 28});
    gear->contentMode = UIViewContentMode::scaleAspectFit;
    gear->setTintColor(UIColor::white());
    root->addSubview(gear);
    addControls(*root, size.width);
    addOptions(*root, size.width);
    addTiles(*root, size.width);
    return root;
}
