# Renders the Windows game's artwork from the SVG sources with Debian's rsvg-convert and
# ImageMagick, so the Windows build needs no other build first:
#   cmake -DSOURCE=assets -DOUTPUT=folder -DSCALES="100;125" -DCABINET_BASE="24,58,140" -DSIDE_FACE="240,240,240"
#         -P render_artwork.cmake
# Each picture is drawn at every display scale the game picks from, so it stays crisp there.
foreach(tool rsvg-convert convert)
  find_program(found_${tool} ${tool} REQUIRED)
endforeach()
# The cabinet's blue goes under its artwork, so nothing inside the outline is see-through.
set(cabinet_base "rgb(${CABINET_BASE})")
file(MAKE_DIRECTORY ${OUTPUT})

function(render svg percent png)
  math(EXPR zoom_whole "${percent} / 100")
  math(EXPR zoom_part "${percent} % 100")
  execute_process(COMMAND ${found_rsvg-convert} -z ${zoom_whole}.${zoom_part} ${SOURCE}/${svg} -o ${png}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()

function(to_picture background picture)
  # A 24-bit PNG on its background, with no dates or other chunks, so each build writes the
  # same bytes; the game decodes it with the Windows Imaging Component.
  execute_process(COMMAND ${found_convert} -background ${background} ${ARGN} -flatten -strip -quality 95
                          PNG24:${picture} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(percent IN LISTS SCALES)
  set(at ${OUTPUT}/${percent})
  render(cabinet.svg ${percent} ${at}-cabinet.png)
  render(player.svg ${percent} ${at}-player.png)
  render(coins.svg ${percent} ${at}-coins.png)
  render(emblem.svg ${percent} ${at}-emblem.png)
  to_picture(${cabinet_base} ${OUTPUT}/cabinet-${percent}.png ${at}-cabinet.png)
  # The demo face is wider than the cabinet: the player stands beside it.
  to_picture(${cabinet_base} ${OUTPUT}/demo-${percent}.png ${at}-player.png -alpha transparent ${at}-cabinet.png
            -composite ${at}-player.png -composite)
  to_picture("rgb(${SIDE_FACE})" ${OUTPUT}/coins-${percent}.png ${at}-coins.png)
  to_picture("rgb(${SIDE_FACE})" ${OUTPUT}/emblem-${percent}.png ${at}-emblem.png)
  file(REMOVE ${at}-cabinet.png ${at}-player.png ${at}-coins.png ${at}-emblem.png)
endforeach()

# The icon at the sizes Explorer, the taskbar and the Start menu ask for; 32-bit with alpha.
set(icon_pngs "")
foreach(size 16 24 32 48 256)
  execute_process(COMMAND ${found_rsvg-convert} -w ${size} -h ${size} ${SOURCE}/icon.svg -o ${OUTPUT}/icon-${size}.png
                  COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND icon_pngs ${OUTPUT}/icon-${size}.png)
endforeach()
execute_process(COMMAND ${found_convert} ${icon_pngs} -type TrueColorAlpha ${OUTPUT}/icon.ico COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${icon_pngs})

# The installer's welcome and finish pages show the cabinet on its blue, at the pages' 164 × 314.
execute_process(COMMAND ${found_rsvg-convert} -h 290 ${SOURCE}/cabinet.svg -o ${OUTPUT}/welcome.png COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${found_convert} -background ${cabinet_base} ${OUTPUT}/welcome.png -gravity center -extent 164x314
                        -flatten -type TrueColor BMP3:${OUTPUT}/welcome.bmp COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${OUTPUT}/welcome.png)
