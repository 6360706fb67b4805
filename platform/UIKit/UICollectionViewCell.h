#pragma once

#include "UIKit/UIView.h"

#include <memory>
#include <string>

// An item of a collection view: content goes into `contentView`; the selected background
// view shows while the item is selected.
class UICollectionViewCell : public UIView {
  public:
    UICollectionViewCell();
    explicit UICollectionViewCell(const CGRect& frame);

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }
    // Joins the cell on first use (a view cannot take subviews while it is being made).
    const std::shared_ptr<UIView>& contentView();

    std::shared_ptr<UIView> backgroundView() const { return backgroundView_; }
    void setBackgroundView(std::shared_ptr<UIView> view);
    std::shared_ptr<UIView> selectedBackgroundView() const { return selectedBackgroundView_; }
    void setSelectedBackgroundView(std::shared_ptr<UIView> view);

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    virtual void prepareForReuse() {}

    void layoutSubviews() override;

  private:
    void updateBackgrounds();
    void attachContent();

    std::string reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UIView> backgroundView_;
    std::shared_ptr<UIView> selectedBackgroundView_;
    bool selected_ = false;
    bool highlighted_ = false;
};
