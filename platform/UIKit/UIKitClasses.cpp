// The platform's own classes, as storyboards and interface files name them.
#include "UIKit/UIActivityIndicatorView.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UICollectionView.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIPageControl.h"
#include "UIKit/UIProgressView.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UISearchBar.h"
#include "UIKit/UISlider.h"
#include "UIKit/UITabBarController.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITableViewController.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIViewController.h"

void UIClassRegistry::addBuiltinClasses() {
    add(describe<UIView>("UIView", "UIView", nullptr));
    add(describe<UILabel>("UILabel", "UIView", nullptr));
    add(describe<UIImageView>("UIImageView", "UIView", nullptr));
    add(describe<UIControl>("UIControl", "UIView", nullptr));
    add(describe<UIButton>("UIButton", "UIControl", nullptr));
    add(describe<UITextField>("UITextField", "UIControl", nullptr));
    add(describe<UISlider>("UISlider", "UIControl", nullptr));
    add(describe<UITextView>("UITextView", "UIView", nullptr));
    add(describe<UIProgressView>("UIProgressView", "UIView", nullptr));
    add(describe<UISearchBar>("UISearchBar", "UIView", nullptr));
    add(describe<UIActivityIndicatorView>("UIActivityIndicatorView", "UIView", nullptr));
    add(describe<UIPageControl>("UIPageControl", "UIControl", nullptr));
    add(describe<UIScrollView>("UIScrollView", "UIView", nullptr));
    add(describe<UITableView>("UITableView", "UIScrollView", nullptr));
    add(describe<UITableViewCell>("UITableViewCell", "UIView", nullptr));
    add(describe<UICollectionView>("UICollectionView", "UIScrollView", nullptr));
    add(describe<UICollectionViewCell>("UICollectionViewCell", "UIView", nullptr));

    UIClassInfo controller =
        describe<UIViewController>("UIViewController", "UIViewController", nullptr);
    controller.outlets["view"] = {"UIView", [](UIResponder& owner, const UIObjectReference& value) {
                                      auto* c = dynamic_cast<UIViewController*>(&owner);
                                      if (!c || !value.view)
                                          return false;
                                      c->setView(value.view);
                                      return true;
                                  }};
    add(std::move(controller));
    add(describe<UINavigationController>("UINavigationController", "UIViewController", nullptr));
    add(describe<UITabBarController>("UITabBarController", "UIViewController", nullptr));
    add(describe<UITableViewController>("UITableViewController", "UIViewController", nullptr));
}
