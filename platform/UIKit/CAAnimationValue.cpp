#include "UIKit/CAAnimationValue.h"

namespace {

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

struct Interpolator {
    double t;
    CAAnimationValue operator()(double a, double b) const { return lerp(a, b, t); }
    CAAnimationValue operator()(CGPoint a, CGPoint b) const {
        return CGPoint{lerp(a.x, b.x, t), lerp(a.y, b.y, t)};
    }
    CAAnimationValue operator()(CGSize a, CGSize b) const {
        return CGSize{lerp(a.width, b.width, t), lerp(a.height, b.height, t)};
    }
    CAAnimationValue operator()(const CGRect& a, const CGRect& b) const {
        return CGRect{lerp(a.origin.x, b.origin.x, t), lerp(a.origin.y, b.origin.y, t),
                      lerp(a.size.width, b.size.width, t), lerp(a.size.height, b.size.height, t)};
    }
    CAAnimationValue operator()(const CGAffineTransform& a, const CGAffineTransform& b) const {
        return CGAffineTransform{lerp(a.a, b.a, t), lerp(a.b, b.b, t),   lerp(a.c, b.c, t),
                                 lerp(a.d, b.d, t), lerp(a.tx, b.tx, t), lerp(a.ty, b.ty, t)};
    }
    CAAnimationValue operator()(const std::vector<double>& a, const std::vector<double>& b) const {
        if (a.size() != b.size())
            return t < 0.5 ? a : b;
        std::vector<double> out(a.size());
        for (size_t i = 0; i < a.size(); ++i)
            out[i] = lerp(a[i], b[i], t);
        return out;
    }
    CAAnimationValue operator()(const UIColor& a, const UIColor& b) const {
        double ar, ag, ab, aa, br, bg, bb, ba;
        if (!a.getRed(&ar, &ag, &ab, &aa) || !b.getRed(&br, &bg, &bb, &ba))
            return t < 0.5 ? a : b;
        return UIColor(lerp(ar, br, t), lerp(ag, bg, t), lerp(ab, bb, t), lerp(aa, ba, t));
    }
    template <class A, class B>
    CAAnimationValue operator()(const A& a, const B& b) const {
        if (t < 0.5)
            return a;
        return b;
    }
};

struct Adder {
    template <class A, class B>
    CAAnimationValue operator()(const A& a, const B& b) const {
        if constexpr (std::is_same_v<A, double> && std::is_same_v<B, double>) {
            return a + b;
        } else if constexpr (std::is_same_v<A, CGPoint> && std::is_same_v<B, CGPoint>) {
            return a + b;
        } else if constexpr (std::is_same_v<A, CGSize> && std::is_same_v<B, CGSize>) {
            return CGSize{a.width + b.width, a.height + b.height};
        } else {
            return b;
        }
    }
};

} // namespace

CAAnimationValue interpolate(const CAAnimationValue& from, const CAAnimationValue& to, double t) {
    return std::visit(Interpolator{t}, from, to);
}

CAAnimationValue addValues(const CAAnimationValue& from, const CAAnimationValue& by) {
    return std::visit(Adder{}, from, by);
}
