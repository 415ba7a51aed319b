# Included at the end of project() (CMAKE_PROJECT_INCLUDE) by the check under Wine: the same
# sources as version 2.1, to be upgraded from.
foreach(prefix PROJECT Kalvora CMAKE_PROJECT)
    set(${prefix}_VERSION 2.1)
    set(${prefix}_VERSION_MINOR 1)
endforeach()
