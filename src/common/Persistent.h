#pragma once

namespace lrl {

// An object that can take over the contents of another one through Assign. Assign accepts a source of a
// compatible class only; className() names both sides in the "Cannot assign ..." message otherwise.
class Persistent {
public:
    virtual ~Persistent() = default;
    virtual const char* className() const = 0;

protected:
    Persistent() = default;
    Persistent(const Persistent&) = default;
    Persistent& operator=(const Persistent&) = default;
};

} // namespace lrl
