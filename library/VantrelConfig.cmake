# find_package(Vantrel): the imported target Vantrel::vantrel, its header on the include path.
include(${CMAKE_CURRENT_LIST_DIR}/VantrelTargets.cmake)
