#pragma once
// What a form keeps of the controls and timers placed on it. The form holds a roster; each
// member holds the token that the roster gave it. Destroying the token empties the member's slot,
// and destroying the roster turns every token it gave into a token of no owner, so neither side
// is left pointing at the other whichever goes first.
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace skorvelin {

template <typename Owner, typename Member> class Roster;

template <typename Owner, typename Member> class Membership {
  public:
    Membership() = default;
    Membership(const Membership&) = delete;
    Membership& operator=(const Membership&) = delete;
    Membership(Membership&& other) noexcept
        : roster_(std::move(other.roster_)), slot_(std::exchange(other.slot_, 0)) {}
    Membership& operator=(Membership&& other) noexcept {
        if (this != &other) {
            Leave();
            roster_ = std::move(other.roster_);
            slot_ = std::exchange(other.slot_, 0);
        }
        return *this;
    }
    ~Membership() { Leave(); }

    // The owner while it lives; null once it is gone or when there never was one.
    Owner* owner() const {
        const auto roster = roster_.lock();
        return roster ? roster->owner : nullptr;
    }
    // The member's number on its roster, from 1; slots are never reused.
    std::size_t Number() const { return slot_ + 1; }

  private:
    friend class Roster<Owner, Member>;
    struct Shared {
        Owner* owner;
        std::vector<Member*> slots;
    };
    Membership(const std::shared_ptr<Shared>& roster, std::size_t slot)
        : roster_(roster), slot_(slot) {}

    void Leave() {
        if (const auto roster = roster_.lock()) {
            roster->slots[slot_] = nullptr;
        }
        roster_.reset();
    }

    std::weak_ptr<Shared> roster_;
    std::size_t slot_ = 0;
};

template <typename Owner, typename Member> class Roster {
  public:
    using Token = Membership<Owner, Member>;

    explicit Roster(Owner& owner)
        : shared_(std::shared_ptr<typename Token::Shared>(
              std::make_unique<typename Token::Shared>(typename Token::Shared{&owner, {}}))) {}
    Roster(const Roster&) = delete;
    Roster& operator=(const Roster&) = delete;

    // A new slot for `member`; the slot stays its own until the token goes.
    Token Add(Member& member) {
        shared_->slots.push_back(&member);
        return Token(shared_, shared_->slots.size() - 1);
    }
    // The member numbered `number`; null when that number was never given or its member left.
    Member* Find(std::size_t number) const {
        return number >= 1 && number <= shared_->slots.size() ? shared_->slots[number - 1]
                                                              : nullptr;
    }
    // Calls `visit` with every present member, in the order they joined. A member that leaves
    // during the visit is skipped.
    template <typename Visit> void ForEach(Visit visit) const {
        for (std::size_t i = 0; i < shared_->slots.size(); ++i) {
            if (Member* const member = shared_->slots[i]) {
                visit(*member);
            }
        }
    }

  private:
    std::shared_ptr<typename Token::Shared> shared_;
};

} // namespace skorvelin
