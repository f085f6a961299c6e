#pragma once
// ObserverInfo: a shared record that tells whether the information it
// stands for will expire. New records expire.

#include "object/BaseNode.h"
#include "platform/Export.h"

namespace torv {

class TORV_API ObserverInfo : public BaseNode {
    TORV_DECLARE_CLASS(ObserverInfo);

public:
    ObserverInfo() noexcept : expire(true) {}
    // The copy starts with count 0 but keeps the flag.
    ObserverInfo(const ObserverInfo& o) noexcept : BaseNode(o), expire(o.expire) {}
    ~ObserverInfo() override;

    // Copies the flag only; the count stays.
    ObserverInfo& operator=(const ObserverInfo& o) noexcept;

    void setExpire(bool e) noexcept { expire = e; }
    bool willExpire() const noexcept { return expire; }

private:
    bool expire;
};

} // namespace torv
