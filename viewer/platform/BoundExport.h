// One export of the Vantrel library, declared with its C signature and bound by name at its
// first call.
#pragma once

#include "VantrelLibrary.h"

#include <cstdint>
#include <optional>

namespace brellix {

template <typename Function> class BoundExport;

template <typename Result, typename... Args> class BoundExport<Result (*)(Args...)>
{
public:
    using Function = Result (*)(Args...);

    explicit constexpr BoundExport(const char* name) : m_name(name) {}

    // Calls the export. Empty when the library or the export is missing; the reason is in
    // VantrelLibrary::instance().errorString().
    std::optional<Result> operator()(Args... args)
    {
        const Function function = bind();
        if (!function) {
            return std::nullopt;
        }
        return function(args...);
    }

    // The export's address, binding it on first use (and again after the library was
    // unloaded); nullptr when it is missing.
    Function bind()
    {
        VantrelLibrary& library = VantrelLibrary::instance();
        const uint64_t generation = library.generation();
        if (!m_function || m_generation != generation) {
            // QFunctionPointer is void (*)(), which converts to any function pointer type.
            m_function = reinterpret_cast<Function>(library.resolve(m_name));
            m_generation = generation;
        }
        return m_function;
    }

    const char* name() const { return m_name; }

private:
    const char* m_name;
    Function m_function = nullptr;
    uint64_t m_generation = 0;
};

} // namespace brellix
