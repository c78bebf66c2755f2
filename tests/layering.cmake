# Fails, naming each offending line, when a source folder of src/ includes from a folder that comes
# after it in the layer order, so that lower layers never come to depend on higher ones. A layer
# is a folder of src/ or a folder below one (Views/Kit); a path belongs to the layer it lies in.
# Run: cmake -DSOURCE_DIR=<src> -DLAYERS=<Support,Catalogue,...> -P layering.cmake
string(REPLACE "," ";" layers "${LAYERS}")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT sources)

# Sets `out` to the rank of the layer that holds `path`, -1 when none does.
function(layer_rank path out)
    set(found -1)
    set(rank 0)
    foreach(layer IN LISTS layers)
        string(FIND "${path}" "${layer}/" at)
        if(at EQUAL 0)
            set(found ${rank})
        endif()
        math(EXPR rank "${rank} + 1")
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

set(offences "")
foreach(source IN LISTS sources)
    get_filename_component(folder "${source}" DIRECTORY)
    layer_rank("${source}" rank)
    if(rank EQUAL -1)
        list(APPEND offences "${source}: ${folder} is not in a layer")
        continue()
    endif()
    # Q_MOC_INCLUDE names a header for the generated code, which counts like an include.
    file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*(#[ \t]*include|Q_MOC_INCLUDE)[ \t(]*\"")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
        if(included MATCHES "/")
            layer_rank("${included}" includedRank)
            if(includedRank EQUAL -1)
                list(APPEND offences "${source}: ${included} is not in a layer")
            elseif(includedRank GREATER rank)
                list(APPEND offences "${source}: ${included} is in a later layer than ${folder}")
            endif()
        elseif(NOT included MATCHES "\\.moc$" AND NOT EXISTS "${SOURCE_DIR}/${folder}/${included}")
            # A bare name must be a file beside the source; anything else names its folder.
            list(APPEND offences "${source}: ${included} is neither beside it nor named with its folder")
        endif()
    endforeach()
endforeach()

list(LENGTH sources count)
if(offences)
    list(JOIN offences "\n  " text)
    message(FATAL_ERROR "Includes against the layer order (${LAYERS}):\n  ${text}")
endif()
message(STATUS "${count} sources include only from their own or earlier layers (${LAYERS})")
