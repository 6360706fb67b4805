#include "UIKit/NSLayoutEngine.h"

#include "Foundation/Console.h"
#include "UIKit/UILayoutGuide.h"
#include "UIKit/UIView.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>

namespace {

constexpr double pivotEpsilon = 1e-9;
constexpr double conflictTolerance = 1e-6;

enum Var { X = 0, Y = 1, W = 2, H = 3 };

struct Row {
    std::vector<std::pair<int, double>> terms;
    double rhs = 0;
    float priority = UILayoutPriorityRequired;
    int relation = 0; // 0: =, 1: >=, -1: <=
    const NSLayoutConstraint* source = nullptr;

    double evaluate(const std::vector<double>& x) const {
        double sum = 0;
        for (auto [v, c] : terms)
            sum += c * x[static_cast<size_t>(v)];
        return sum;
    }
};

// Gaussian elimination that takes rows one at a time and reports whether each one was new,
// already implied, or contradicted by the rows before it. Rows are kept sparse and in echelon
// form: each is free of the pivots of the rows before it, so a new row is reduced by walking
// them in order, and the values come out by substituting from the last row back.
class Elimination {
  public:
    enum class Outcome { added, redundant, conflict };

    explicit Elimination(size_t n) : n_(n), dense_(n, 0.0) {}

    Outcome add(const Row& row) {
        std::fill(dense_.begin(), dense_.end(), 0.0);
        for (auto [v, c] : row.terms)
            dense_[static_cast<size_t>(v)] += c;
        double rhs = row.rhs;
        for (const auto& r : rows_) {
            double f = dense_[r.pivot];
            if (f == 0)
                continue;
            for (auto [j, c] : r.terms)
                dense_[j] -= f * c;
            rhs -= f * r.rhs;
            dense_[r.pivot] = 0;
        }
        size_t best = n_;
        double bestValue = pivotEpsilon;
        for (size_t j = 0; j < n_; ++j) {
            if (std::fabs(dense_[j]) > bestValue) {
                bestValue = std::fabs(dense_[j]);
                best = j;
            }
        }
        if (best == n_)
            return std::fabs(rhs) <= conflictTolerance ? Outcome::redundant : Outcome::conflict;
        double scale = dense_[best];
        Sparse r{best, {}, rhs / scale};
        for (size_t j = 0; j < n_; ++j) {
            if (j == best)
                r.terms.push_back({j, 1.0});
            else if (std::fabs(dense_[j]) > pivotEpsilon * 1e-3)
                r.terms.push_back({j, dense_[j] / scale});
        }
        rows_.push_back(std::move(r));
        return Outcome::added;
    }

    // Unknowns no row determines keep their current values; the others follow from them.
    std::vector<double> solution(const std::vector<double>& current) const {
        std::vector<double> x = current;
        for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) {
            double value = it->rhs;
            for (auto [j, c] : it->terms) {
                if (j != it->pivot)
                    value -= c * x[j];
            }
            x[it->pivot] = value;
        }
        return x;
    }

  private:
    struct Sparse {
        size_t pivot;
        std::vector<std::pair<size_t, double>> terms;
        double rhs;
    };

    size_t n_;
    std::vector<double> dense_;
    std::vector<Sparse> rows_;
};

const char* attributeName(NSLayoutAttribute a) {
    switch (a) {
    case NSLayoutAttribute::left:
        return "left";
    case NSLayoutAttribute::right:
        return "right";
    case NSLayoutAttribute::top:
        return "top";
    case NSLayoutAttribute::bottom:
        return "bottom";
    case NSLayoutAttribute::leading:
        return "leading";
    case NSLayoutAttribute::trailing:
        return "trailing";
    case NSLayoutAttribute::width:
        return "width";
    case NSLayoutAttribute::height:
        return "height";
    case NSLayoutAttribute::centerX:
        return "centerX";
    case NSLayoutAttribute::centerY:
        return "centerY";
    case NSLayoutAttribute::notAnAttribute:
        break;
    }
    return "none";
}

std::string describe(const NSLayoutConstraint& c) {
    auto itemName = [](const std::shared_ptr<UILayoutItem>& item) -> std::string {
        if (auto view = std::dynamic_pointer_cast<UIView>(item))
            return view->className();
        if (auto guide = std::dynamic_pointer_cast<UILayoutGuide>(item))
            return guide->identifier.empty() ? "UILayoutGuide" : guide->identifier;
        return "?";
    };
    std::string text =
        "<NSLayoutConstraint " + itemName(c.firstItem()) + "." + attributeName(c.firstAttribute());
    text += c.relation() == NSLayoutRelation::equal                ? " == "
            : c.relation() == NSLayoutRelation::greaterThanOrEqual ? " >= "
                                                                   : " <= ";
    if (c.secondItem()) {
        if (c.multiplier() != 1)
            text += std::to_string(c.multiplier()) + "*";
        text += itemName(c.secondItem()) + "." + attributeName(c.secondAttribute()) + " + ";
    }
    return text + std::to_string(c.constant()) + ">";
}

// One solve: the items taking part, their rows, and the values they have now.
class System {
  public:
    System(UIView& root, bool fitting) : root_(root), fitting_(fitting) {}

    bool collect() {
        std::vector<std::shared_ptr<NSLayoutConstraint>> all;
        gather(root_, all);
        for (auto& c : all) {
            auto first = c->firstItem();
            if (!first || !inTree(first))
                continue;
            auto second = c->secondItem();
            if (c->secondAttribute() != NSLayoutAttribute::notAnAttribute &&
                (!second || !inTree(second)))
                continue;
            constraints_.push_back(c);
        }
        if (constraints_.empty() && !fitting_)
            return false;
        addView(&root_);
        for (auto& c : constraints_) {
            addItem(c->firstItem());
            if (c->secondItem())
                addItem(c->secondItem());
        }
        return true;
    }

    void build(CGSize target, UILayoutPriority hp, UILayoutPriority vp) {
        for (size_t i = 0; i < items_.size(); ++i)
            structuralRows(items_[i], target, hp, vp);
        for (auto& c : constraints_)
            constraintRow(*c);
    }

    std::vector<double> solve() {
        std::vector<size_t> equalities, inequalities;
        for (size_t i = 0; i < rows_.size(); ++i)
            (rows_[i].relation == 0 ? equalities : inequalities).push_back(i);
        std::vector<bool> active(rows_.size(), false);
        std::vector<double> x = current_;
        size_t limit = std::min<size_t>(50, 4 + inequalities.size());
        for (size_t round = 0; round < limit; ++round) {
            std::vector<size_t> order = equalities;
            for (size_t i : inequalities) {
                if (active[i])
                    order.push_back(i);
            }
            std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
                return rows_[a].priority > rows_[b].priority;
            });
            Elimination elimination(current_.size());
            dropped_.clear();
            for (size_t i : order) {
                if (elimination.add(rows_[i]) == Elimination::Outcome::conflict)
                    dropped_.push_back(i);
            }
            x = elimination.solution(current_);
            float strongest = -1;
            for (size_t i : inequalities) {
                if (!active[i] && violated(rows_[i], x))
                    strongest = std::max(strongest, rows_[i].priority);
            }
            if (strongest < -1)
                break;
            for (size_t i : inequalities) {
                if (!active[i] && violated(rows_[i], x) && rows_[i].priority == strongest)
                    active[i] = true;
            }
        }
        reportConflicts();
        return x;
    }

    void apply(const std::vector<double>& x) {
        for (const auto& item : items_) {
            if (item.guide) {
                if (item.guide->kind() != UILayoutGuide::Kind::custom)
                    continue;
                const Item& owner = items_[index_.at(item.guide->owningView().get())];
                item.guide->setSolvedFrame({x[at(item, X)] - x[at(owner, X)],
                                            x[at(item, Y)] - x[at(owner, Y)], x[at(item, W)],
                                            x[at(item, H)]});
                continue;
            }
            UIView* view = item.view;
            if (view == &root_ || view->translatesAutoresizingMaskIntoConstraints())
                continue;
            const Item& parent = items_[index_.at(view->superview().get())];
            CGFloat w = x[at(item, W)], h = x[at(item, H)];
            CGFloat relX = x[at(item, X)] - x[at(parent, X)];
            CGFloat relY = x[at(item, Y)] - x[at(parent, Y)];
            CGRect b = view->bounds();
            if (!near(b.size.width, w) || !near(b.size.height, h))
                view->setBounds({b.origin, {w, h}});
            CGPoint c{relX + w / 2, relY + h / 2};
            if (!near(view->center().x, c.x) || !near(view->center().y, c.y))
                view->setCenter(c);
        }
    }

    CGSize rootSize(const std::vector<double>& x) const {
        const Item& r = items_[0];
        return {x[at(r, W)], x[at(r, H)]};
    }

  private:
    struct Item {
        UIView* view = nullptr;
        UILayoutGuide* guide = nullptr;
        int base = 0;
    };

    static bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }
    static int at(const Item& item, Var v) { return item.base + v; }

    static bool violated(const Row& row, const std::vector<double>& x) {
        double lhs = row.evaluate(x);
        return row.relation > 0 ? lhs < row.rhs - 1e-7 : lhs > row.rhs + 1e-7;
    }

    void gather(UIView& view, std::vector<std::shared_ptr<NSLayoutConstraint>>& out) {
        out.insert(out.end(), view.constraints().begin(), view.constraints().end());
        for (auto& sub : view.subviews())
            gather(*sub, out);
    }

    bool inTree(const std::shared_ptr<UILayoutItem>& item) const {
        auto view = NSLayoutConstraint::viewOf(item);
        return view && view->isDescendant(root_);
    }

    int addView(UIView* view) {
        auto found = index_.find(view);
        if (found != index_.end())
            return static_cast<int>(found->second);
        CGPoint origin{0, 0};
        if (view != &root_) {
            UIView* parent = view->superview().get();
            const Item& p = items_[static_cast<size_t>(addView(parent))];
            CGRect b = view->bounds();
            origin = {current_[static_cast<size_t>(at(p, X))] + view->center().x - b.size.width / 2,
                      current_[static_cast<size_t>(at(p, Y))] + view->center().y -
                          b.size.height / 2};
        }
        CGSize size = view->bounds().size;
        return push({view, nullptr, 0}, {origin.x, origin.y, size.width, size.height}, view);
    }

    void addItem(const std::shared_ptr<UILayoutItem>& item) {
        if (auto view = std::dynamic_pointer_cast<UIView>(item)) {
            addView(view.get());
            return;
        }
        auto guide = std::dynamic_pointer_cast<UILayoutGuide>(item);
        if (!guide || index_.count(guide.get()))
            return;
        auto owner = guide->owningView();
        const Item& o = items_[static_cast<size_t>(addView(owner.get()))];
        CGRect f = guide->layoutFrame();
        push({nullptr, guide.get(), 0},
             {current_[static_cast<size_t>(at(o, X))] + f.origin.x,
              current_[static_cast<size_t>(at(o, Y))] + f.origin.y, f.size.width, f.size.height},
             guide.get());
    }

    int push(Item item, std::initializer_list<double> values, const void* key) {
        item.base = static_cast<int>(current_.size());
        current_.insert(current_.end(), values);
        items_.push_back(item);
        index_[key] = items_.size() - 1;
        return static_cast<int>(items_.size() - 1);
    }

    void required(std::vector<std::pair<int, double>> terms, double rhs,
                  float priority = UILayoutPriorityRequired) {
        rows_.push_back({std::move(terms), rhs, priority, 0, nullptr});
    }

    void structuralRows(const Item& item, CGSize target, UILayoutPriority hp, UILayoutPriority vp) {
        if (item.guide) {
            guideRows(item);
            return;
        }
        UIView* view = item.view;
        if (view == &root_) {
            required({{at(item, X), 1}}, 0);
            required({{at(item, Y), 1}}, 0);
            if (fitting_) {
                required({{at(item, W), 1}}, target.width, hp);
                required({{at(item, H), 1}}, target.height, vp);
                intrinsicRows(item);
            } else {
                required({{at(item, W), 1}}, view->bounds().size.width);
                required({{at(item, H), 1}}, view->bounds().size.height);
            }
            return;
        }
        if (view->translatesAutoresizingMaskIntoConstraints())
            autoresizingRows(item);
        else
            intrinsicRows(item);
    }

    // A view placed by its frame follows its superview as its autoresizing mask says: the
    // flexible parts share a change of the superview's length in proportion to their sizes.
    void autoresizingRows(const Item& item) {
        const Item& p = items_[index_.at(item.view->superview().get())];
        uint32_t m = item.view->autoresizingMask;
        axisRows(item, p, X, W, m & UIViewAutoresizingFlexibleLeftMargin,
                 m & UIViewAutoresizingFlexibleWidth, m & UIViewAutoresizingFlexibleRightMargin);
        axisRows(item, p, Y, H, m & UIViewAutoresizingFlexibleTopMargin,
                 m & UIViewAutoresizingFlexibleHeight, m & UIViewAutoresizingFlexibleBottomMargin);
    }

    void axisRows(const Item& item, const Item& p, Var pos, Var len, bool flexBefore,
                  bool flexLength, bool flexAfter) {
        double start = current_[static_cast<size_t>(at(item, pos))] -
                       current_[static_cast<size_t>(at(p, pos))];
        double length = current_[static_cast<size_t>(at(item, len))];
        double parentLength = current_[static_cast<size_t>(at(p, len))];
        double parts[3] = {start, length, parentLength - start - length};
        bool flex[3] = {flexBefore, flexLength, flexAfter};
        double sum = 0;
        int count = 0;
        for (int i = 0; i < 3; ++i) {
            if (flex[i])
                sum += parts[i], ++count;
        }
        auto share = [&](int i) { return !flex[i] ? 0.0 : sum > 0 ? parts[i] / sum : 1.0 / count; };
        double sBefore = share(0), sLength = share(1);
        required({{at(item, pos), 1}, {at(p, pos), -1}, {at(p, len), -sBefore}},
                 start - sBefore * parentLength);
        required({{at(item, len), 1}, {at(p, len), -sLength}}, length - sLength * parentLength);
    }

    void intrinsicRows(const Item& item) {
        CGSize size = item.view->intrinsicContentSize();
        auto axis = [&](CGFloat value, Var v, UILayoutConstraintAxis a) {
            if (value == UIView::noIntrinsicMetric)
                return;
            rows_.push_back({{{at(item, v), 1}},
                             value,
                             item.view->contentCompressionResistancePriority(a),
                             1,
                             nullptr});
            rows_.push_back(
                {{{at(item, v), 1}}, value, item.view->contentHuggingPriority(a), -1, nullptr});
        };
        axis(size.width, W, UILayoutConstraintAxis::horizontal);
        axis(size.height, H, UILayoutConstraintAxis::vertical);
    }

    void guideRows(const Item& item) {
        UILayoutGuide* guide = item.guide;
        if (guide->kind() == UILayoutGuide::Kind::custom)
            return;
        auto owner = guide->owningView();
        const Item& o = items_[index_.at(owner.get())];
        UIEdgeInsets in = guide->kind() == UILayoutGuide::Kind::safeArea
                              ? owner->safeAreaInsets()
                              : owner->effectiveLayoutMargins();
        CGPoint origin = owner->bounds().origin;
        required({{at(item, X), 1}, {at(o, X), -1}}, origin.x + in.left);
        required({{at(item, Y), 1}, {at(o, Y), -1}}, origin.y + in.top);
        required({{at(item, W), 1}, {at(o, W), -1}}, -(in.left + in.right));
        required({{at(item, H), 1}, {at(o, H), -1}}, -(in.top + in.bottom));
    }

    // The attribute as a sum of an item's unknowns.
    void addAttribute(std::vector<std::pair<int, double>>& terms, const Item& item,
                      NSLayoutAttribute a, double factor) {
        switch (a) {
        case NSLayoutAttribute::left:
        case NSLayoutAttribute::leading:
            terms.push_back({at(item, X), factor});
            break;
        case NSLayoutAttribute::right:
        case NSLayoutAttribute::trailing:
            terms.push_back({at(item, X), factor});
            terms.push_back({at(item, W), factor});
            break;
        case NSLayoutAttribute::top:
            terms.push_back({at(item, Y), factor});
            break;
        case NSLayoutAttribute::bottom:
            terms.push_back({at(item, Y), factor});
            terms.push_back({at(item, H), factor});
            break;
        case NSLayoutAttribute::width:
            terms.push_back({at(item, W), factor});
            break;
        case NSLayoutAttribute::height:
            terms.push_back({at(item, H), factor});
            break;
        case NSLayoutAttribute::centerX:
            terms.push_back({at(item, X), factor});
            terms.push_back({at(item, W), factor / 2});
            break;
        case NSLayoutAttribute::centerY:
            terms.push_back({at(item, Y), factor});
            terms.push_back({at(item, H), factor / 2});
            break;
        case NSLayoutAttribute::notAnAttribute:
            break;
        }
    }

    const Item& itemFor(const std::shared_ptr<UILayoutItem>& item) const {
        if (auto view = std::dynamic_pointer_cast<UIView>(item))
            return items_[index_.at(view.get())];
        return items_[index_.at(std::dynamic_pointer_cast<UILayoutGuide>(item).get())];
    }

    void constraintRow(const NSLayoutConstraint& c) {
        Row row;
        addAttribute(row.terms, itemFor(c.firstItem()), c.firstAttribute(), 1);
        if (auto second = c.secondItem())
            addAttribute(row.terms, itemFor(second), c.secondAttribute(), -c.multiplier());
        row.rhs = c.constant();
        row.priority = c.priority();
        row.relation = static_cast<int>(c.relation());
        row.source = &c;
        rows_.push_back(std::move(row));
    }

    void reportConflicts() {
        static std::set<const void*> reported;
        for (size_t i : dropped_) {
            const Row& row = rows_[i];
            if (row.priority < UILayoutPriorityRequired || !row.source)
                continue;
            if (!reported.insert(row.source).second)
                continue;
            Console::systemLog(
                "[LayoutConstraints] Unable to simultaneously satisfy constraints; breaking " +
                describe(*row.source));
        }
    }

    UIView& root_;
    bool fitting_;
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraints_;
    std::vector<Item> items_;
    std::unordered_map<const void*, size_t> index_;
    std::vector<double> current_;
    std::vector<Row> rows_;
    std::vector<size_t> dropped_;
};

} // namespace

void NSLayoutEngine::layout(UIView& root) {
    System system(root, false);
    if (!system.collect())
        return;
    system.build({}, UILayoutPriorityRequired, UILayoutPriorityRequired);
    system.apply(system.solve());
}

CGSize NSLayoutEngine::fittingSize(UIView& view, CGSize target, UILayoutPriority horizontal,
                                   UILayoutPriority vertical) {
    System system(view, true);
    system.collect();
    system.build(target, horizontal, vertical);
    return system.rootSize(system.solve());
}
