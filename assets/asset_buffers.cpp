#include "assets/asset_buffers.h"

#include "assets/asset_buffers_startup.h"

namespace vantrelle {

namespace startup {

#define VANTRELLE_DEFINE(Type, name) Type name{};
VANTRELLE_STAGING_BUFFERS(VANTRELLE_DEFINE)
VANTRELLE_DATA_BUFFERS(VANTRELLE_DEFINE)
#undef VANTRELLE_DEFINE

}  // namespace startup

#define VANTRELLE_VIEW(Type, name) const Type& name = startup::name;
VANTRELLE_DATA_BUFFERS(VANTRELLE_VIEW)
#undef VANTRELLE_VIEW

}  // namespace vantrelle
