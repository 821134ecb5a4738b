#pragma once

namespace lrl {

enum class SearchDirection { Forward, Backward };

} // namespace lrl
