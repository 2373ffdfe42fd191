# The version and the maker's name, read from resources/version.h, the one place they are written
# down: GW_VERSION_MAJOR, GW_VERSION_MINOR, GW_VERSION_TEXT ("3.55"), GW_PRODUCT_NAME, GW_COMPANY.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../resources/version.h gw_version_defines
     REGEX "^#define GW_(VERSION_MAJOR|VERSION_MINOR|PRODUCT_NAME|COMPANY) ")
foreach(line ${gw_version_defines})
  if(line MATCHES "^#define (GW_[A-Z_]+) \"?([^\"]*)\"?$")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()
if(NOT GW_VERSION_MAJOR MATCHES "^[0-9]+$" OR NOT GW_VERSION_MINOR MATCHES "^[0-9]+$" OR NOT GW_COMPANY)
  message(FATAL_ERROR "resources/version.h: cannot read the version and the maker's name")
endif()
set(GW_VERSION_TEXT ${GW_VERSION_MAJOR}.${GW_VERSION_MINOR})
