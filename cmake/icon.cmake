# Renders the icon's drawing (assets/icon.mvg) at 256 pixels and makes the
# multi-size icon file from it, with ImageMagick.
#   cmake -DCONVERT=<convert> -DSOURCE=<icon.mvg> -DOUTPUT=<corvanta.ico> -P icon.cmake
file(STRINGS "${SOURCE}" lines)
set(drawing "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^#")
    string(APPEND drawing "${line}\n")
  endif()
endforeach()
execute_process(
  COMMAND "${CONVERT}" -size 256x256 xc:none -draw "${drawing}" -depth 8 "png:${OUTPUT}.png"
  RESULT_VARIABLE rendered)
if(NOT rendered EQUAL 0)
  message(FATAL_ERROR "could not render ${SOURCE}")
endif()
execute_process(
  COMMAND "${CONVERT}" "${OUTPUT}.png" -define icon:auto-resize=256,48,32,24,16 "${OUTPUT}"
  RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "could not make ${OUTPUT}")
endif()
