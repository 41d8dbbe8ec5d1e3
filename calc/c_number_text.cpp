#include "c_number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace vorlaine::calc::c_library {
namespace {

__extension__ typedef unsigned __int128 u128; // the compilers' own, GCC, Clang and emcc alike

constexpr int kMaxPow10 = 38; // 10^38 < 2^127

constexpr std::array<u128, kMaxPow10 + 1> kPowersOfTen = [] {
    std::array<u128, kMaxPow10 + 1> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

u128 pow10(int n) {
    return kPowersOfTen[static_cast<std::size_t>(n)];
}

int bit_length(u128 x) {
    const auto high = static_cast<std::uint64_t>(x >> 64);
    const auto low = static_cast<std::uint64_t>(x);
    if (high != 0)
        return 128 - __builtin_clzll(high);
    return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// The value rounded half to even to `digits` significant decimal digits, as
// an integer of exactly that many digits and the decimal exponent of its
// first digit.
struct Rounded {
    std::uint64_t digits;
    int exponent;
};

// |v| * 10^shift cut to an integer, with how the dropped part compares with
// one half (-1, 0, 1); nothing when the exact value does not fit in 128 bits.
struct Scaled {
    u128 whole;
    int against_half;
};

std::optional<Scaled> scaled_exactly(std::uint64_t m, int e, int shift) {
    // |v| = m * 2^e; every branch below keeps the arithmetic exact.
    const auto compare = [](u128 a, u128 b) { return a < b ? -1 : (a > b ? 1 : 0); };
    if (shift >= 0 && shift <= 6 && e < 0 && e > -64 && m < (std::uint64_t{1} << 44)) {
        // The usual case, a float of a few digits: 64-bit integers suffice.
        const std::uint64_t a = m * static_cast<std::uint64_t>(pow10(shift));
        const int down = -e;
        const std::uint64_t remainder = a & ((std::uint64_t{1} << down) - 1);
        const std::uint64_t half = std::uint64_t{1} << (down - 1);
        return Scaled{a >> down, remainder < half ? -1 : (remainder > half ? 1 : 0)};
    }
    if (shift >= 0) {
        if (shift > 22)
            return std::nullopt;
        const u128 a = u128{m} * pow10(shift); // below 2^53 * 2^74
        if (e >= 0) {
            if (bit_length(a) + e > 127)
                return std::nullopt;
            return Scaled{a << e, -1};
        }
        const int down = -e;
        if (down > 127)
            return std::nullopt;
        const u128 remainder = a & ((u128{1} << down) - 1);
        return Scaled{a >> down, compare(remainder, u128{1} << (down - 1))};
    }
    const int t = -shift;
    if (t > kMaxPow10)
        return std::nullopt;
    u128 divisor = pow10(t);
    u128 n = m;
    if (e >= 0) {
        if (bit_length(n) + e > 127)
            return std::nullopt;
        n <<= e;
    } else {
        if (bit_length(divisor) - e > 126)
            return std::nullopt;
        divisor <<= -e;
    }
    return Scaled{n / divisor, compare(2 * (n % divisor), divisor)};
}

// A natural number of any size, little-endian in 32-bit words: enough for
// the decimal reader, which needs exact values of up to some 4,000 bits.
class Big {
public:
    explicit Big(std::uint32_t value) : words_{value} {}

    bool is_zero() const {
        return std::all_of(words_.begin(), words_.end(), [](std::uint32_t w) { return w == 0; });
    }

    // this = this * factor + add
    void times_plus(std::uint32_t factor, std::uint32_t add) {
        std::uint64_t carry = add;
        for (std::uint32_t& w : words_) {
            carry += std::uint64_t{w} * factor;
            w = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            words_.push_back(static_cast<std::uint32_t>(carry));
    }

    void shift_left(int bits) {
        if (bits <= 0)
            return;
        words_.insert(words_.begin(), static_cast<std::size_t>(bits / 32), 0U);
        const int part = bits % 32;
        if (part == 0)
            return;
        std::uint32_t carry = 0;
        for (std::uint32_t& w : words_) {
            const std::uint32_t next = w >> (32 - part);
            w = (w << part) | carry;
            carry = next;
        }
        if (carry != 0)
            words_.push_back(carry);
    }

    int bit_length() const {
        for (std::size_t i = words_.size(); i-- > 0;)
            if (words_[i] != 0)
                return static_cast<int>(i * 32) + 32 - __builtin_clz(words_[i]);
        return 0;
    }

    static int compare(const Big& a, const Big& b) {
        const std::size_t n = std::max(a.words_.size(), b.words_.size());
        for (std::size_t i = n; i-- > 0;) {
            const std::uint32_t x = a.word(i);
            const std::uint32_t y = b.word(i);
            if (x != y)
                return x < y ? -1 : 1;
        }
        return 0;
    }

    // this -= other, which is not larger
    void subtract(const Big& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < words_.size(); ++i) {
            const std::int64_t d = std::int64_t{words_[i]} - other.word(i) - borrow;
            borrow = d < 0 ? 1 : 0;
            words_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
        }
    }

private:
    std::uint32_t word(std::size_t i) const { return i < words_.size() ? words_[i] : 0U; }

    std::vector<std::uint32_t> words_;
};

// floor(num / (den * 2^k)), below 2^54 by the choice of k, bit by bit; `rest`
// takes what is left, num scaled as den is.
std::uint64_t quotient(const Big& num, const Big& den, int k, Big& rest) {
    rest = num;
    Big divisor = den;
    if (k < 0)
        rest.shift_left(-k);
    else
        divisor.shift_left(k);
    std::uint64_t q = 0;
    for (int bit = 54; bit >= 0; --bit) {
        Big step = divisor;
        step.shift_left(bit);
        if (Big::compare(rest, step) >= 0) {
            rest.subtract(step);
            q |= std::uint64_t{1} << bit;
        }
    }
    return q;
}

// Round-to-nearest-even of a finite, non-zero value, in integers only, for
// the values the window shows; nothing for the far ends of the double range.
std::optional<Rounded> round_exactly(double v, int digits) {
    std::uint64_t bits = 0; // std::bit_cast is missing from emscripten's library
    std::memcpy(&bits, &v, sizeof bits);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FFU);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074; // subnormals
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    const int top_bit = e + 63 - __builtin_clzll(m); // |v| lies in [2^top_bit, 2^(top_bit + 1))
    const int zeros = __builtin_ctzll(m);            // m is not zero: the value is not
    m >>= zeros;
    e += zeros;
    const auto low = static_cast<std::uint64_t>(pow10(digits - 1));
    const auto high = static_cast<std::uint64_t>(pow10(digits));
    // floor(top_bit * log10(2)): the decimal exponent, or one below it.
    int k = (top_bit * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<Scaled> s = scaled_exactly(m, e, digits - 1 - k);
        if (!s)
            return std::nullopt;
        if (s->whole >= high) { // the estimate of the exponent was one too low
            ++k;
            continue;
        }
        if (s->whole < low) {
            --k;
            continue;
        }
        auto q = static_cast<std::uint64_t>(s->whole);
        if (s->against_half > 0 || (s->against_half == 0 && (q & 1U) != 0))
            ++q;
        if (q == high) {
            q = low;
            ++k;
        }
        return Rounded{q, k};
    }
    return std::nullopt;
}

// printf's %g layout of rounded digits: plain for exponents from -4 to
// digits - 1, else d.dddE+XX; trailing zeros and a bare point dropped.
std::string general_layout(std::string_view prefix, bool negative, Rounded r, int digits) {
    std::array<char, 24> d{};
    for (int i = digits - 1; i >= 0; --i) {
        d[static_cast<std::size_t>(i)] = static_cast<char>('0' + r.digits % 10);
        r.digits /= 10;
    }
    int used = digits;
    while (used > 1 && d[static_cast<std::size_t>(used - 1)] == '0')
        --used;
    std::array<char, 64> buf{}; // prefix, sign, 0.0000, 17 digits, point, E+308
    char* out = buf.data();
    for (char c : prefix.substr(0, 8))
        *out++ = c;
    if (negative)
        *out++ = '-';
    const auto put = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            *out++ = d[static_cast<std::size_t>(i)];
    };
    if (r.exponent >= -4 && r.exponent < digits) {
        if (r.exponent < 0) {
            *out++ = '0';
            *out++ = '.';
            for (int i = r.exponent + 1; i < 0; ++i)
                *out++ = '0';
            put(0, used);
        } else {
            const int whole = r.exponent + 1;
            put(0, std::min(whole, used));
            for (int i = used; i < whole; ++i)
                *out++ = '0';
            if (used > whole) {
                *out++ = '.';
                put(whole, used);
            }
        }
        return std::string(buf.data(), out);
    }
    put(0, 1);
    if (used > 1) {
        *out++ = '.';
        put(1, used);
    }
    *out++ = 'E';
    *out++ = r.exponent < 0 ? '-' : '+';
    const int e = std::abs(r.exponent);
    if (e >= 100)
        *out++ = static_cast<char>('0' + e / 100);
    *out++ = static_cast<char>('0' + e / 10 % 10);
    *out++ = static_cast<char>('0' + e % 10);
    return std::string(buf.data(), out);
}

} // namespace

double read_digits(const char* text) {
    // Digits, then 'e' and a signed exponent, as number_text.cpp writes them.
    Big num{0};
    int count = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p, ++count)
        num.times_plus(10, static_cast<std::uint32_t>(*p - '0'));
    int exponent = 0;
    if (*p == 'e' || *p == 'E') {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        for (; *p >= '0' && *p <= '9'; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 100000);
        if (negative)
            exponent = -exponent;
    }
    if (num.is_zero())
        return 0.0;
    // 0.d × 10^(exponent + count): past these no double is near.
    if (exponent + count > 310)
        return HUGE_VAL;
    if (exponent + count < -324)
        return 0.0;
    Big den{1};
    for (; exponent > 0; --exponent)
        num.times_plus(10, 0);
    for (; exponent < 0; ++exponent)
        den.times_plus(10, 0);
    // The 53 bits of num / den at 2^k, cut to an integer q, then rounded half
    // to even on the remainder; a subnormal keeps fewer bits at 2^-1074.
    int k = num.bit_length() - den.bit_length() - 53;
    Big rest{0};
    std::uint64_t q = 0;
    for (int pass = 0; pass < 2; ++pass) {
        k = std::max(k, -1074);
        q = quotient(num, den, k, rest);
        if (q < (std::uint64_t{1} << 53))
            break;
        ++k; // num / den had one bit more than its bit lengths said
    }
    Big divisor = den;
    Big twice = rest;
    divisor.shift_left(std::max(k, 0));
    twice.shift_left(1);
    const int half = Big::compare(twice, divisor);
    if (half > 0 || (half == 0 && (q & 1) != 0))
        ++q;
    if (q == (std::uint64_t{1} << 53)) {
        q >>= 1;
        ++k;
    }
    if (k > 1023 - 52)
        return HUGE_VAL;
    return std::ldexp(static_cast<double>(q), k);
}

std::string write_general(double value, int digits, std::string_view prefix) {
    // The C library's printf works through long double, which WebAssembly
    // emulates in software; integers do the common case many times faster.
    if (std::isfinite(value) && value != 0 && digits >= 1 && digits <= 17)
        if (const std::optional<Rounded> r = round_exactly(value, digits))
            return general_layout(prefix, value < 0, *r, digits);
    std::array<char, 64> buf{};
    const int length = std::snprintf(buf.data(), buf.size(), "%.*g", digits, value);
    std::string out(prefix);
    out.append(buf.data(), static_cast<std::size_t>(length > 0 ? length : 0));
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

} // namespace vorlaine::calc::c_library
