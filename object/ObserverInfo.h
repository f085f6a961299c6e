#pragma once
/// @file
/// ObserverInfo: a shared record that tells whether the information it
/// stands for will expire. New records expire.

#include "object/BaseNode.h"
#include "platform/Export.h"

namespace torv {

/// A shared record that tells whether its information will expire.
class TORV_API ObserverInfo : public BaseNode {
    TORV_DECLARE_CLASS(ObserverInfo);

public:
    /// A record that expires.
    ObserverInfo() noexcept : expire(true) {}
    /// The copy starts with count 0 but keeps the flag.
    ObserverInfo(const ObserverInfo&) noexcept = default;
    ~ObserverInfo() override;

    /// Copies the flag only; the count stays.
    ObserverInfo& operator=(const ObserverInfo& o) noexcept;

    /// Sets whether the information will expire.
    void setExpire(bool e) noexcept { expire = e; }
    /// Whether the information will expire.
    bool willExpire() const noexcept { return expire; }

private:
    bool expire;
};

} // namespace torv
