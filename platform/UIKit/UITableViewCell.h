#pragma once

#include "UIKit/UIView.h"

#include <memory>
#include <string>

class UIImageView;
class UILabel;

enum class UITableViewCellStyle { defaultStyle, value1, value2, subtitle };
enum class UITableViewCellAccessoryType {
    none,
    disclosureIndicator,
    detailDisclosureButton,
    checkmark,
    detailButton
};
enum class UITableViewCellSelectionStyle { none, blue, gray, defaultStyle };
enum class UITableViewCellEditingStyle { none, deleteStyle, insert };

// A row of a table. Content goes into `contentView`; the built-in text label, detail label and
// image view are made on first use. While selected (and the selection style is not none) the
// selected background view shows behind the content.
class UITableViewCell : public UIView {
  public:
    UITableViewCell();
    explicit UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier = "");
    static std::shared_ptr<UITableViewCell>
    make(UITableViewCellStyle style = UITableViewCellStyle::defaultStyle,
         std::string reuseIdentifier = "") {
        return std::make_shared<UITableViewCell>(style, std::move(reuseIdentifier));
    }

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }
    UITableViewCellStyle style() const { return style_; }

    // Joins the cell on first use (a view cannot take subviews while it is being made).
    const std::shared_ptr<UIView>& contentView();
    std::shared_ptr<UILabel> textLabel();
    std::shared_ptr<UILabel> detailTextLabel();
    std::shared_ptr<UIImageView> imageView();

    UITableViewCellAccessoryType accessoryType = UITableViewCellAccessoryType::none;
    std::shared_ptr<UIView> accessoryView;
    UITableViewCellSelectionStyle selectionStyle = UITableViewCellSelectionStyle::defaultStyle;

    std::shared_ptr<UIView> backgroundView() const { return backgroundView_; }
    void setBackgroundView(std::shared_ptr<UIView> view);
    std::shared_ptr<UIView> selectedBackgroundView() const { return selectedBackgroundView_; }
    void setSelectedBackgroundView(std::shared_ptr<UIView> view);

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated);
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);
    // Whether the selected background view is on screen now.
    bool showsSelectedBackground() const;

    // Called before a dequeue hands the cell out again.
    virtual void prepareForReuse() {}

    // How far the content is pushed aside by a swipe (negative: to the left).
    CGFloat swipeOffset() const { return swipeOffset_; }
    void setSwipeOffset(CGFloat offset);

    void layoutSubviews() override;

  private:
    void updateBackgrounds();
    void attachContent();

    std::string reuseIdentifier_;
    UITableViewCellStyle style_ = UITableViewCellStyle::defaultStyle;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UILabel> textLabel_;
    std::shared_ptr<UILabel> detailTextLabel_;
    std::shared_ptr<UIImageView> imageView_;
    std::shared_ptr<UIView> backgroundView_;
    std::shared_ptr<UIView> selectedBackgroundView_;
    bool selected_ = false;
    bool highlighted_ = false;
    bool editing_ = false;
    CGFloat swipeOffset_ = 0;
};
