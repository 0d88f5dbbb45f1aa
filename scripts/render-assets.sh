#!/usr/bin/env bash
# Re-renders every PNG in src/ui/assets from its SVG source in src/ui/assets/svg.
# Needs ImageMagick's convert. The PNGs are committed, so building never needs it.
#
# ImageMagick's own SVG renderer is used on purpose (never a delegate), so the
# output does not depend on which other SVG tools happen to be installed. Each
# picture is drawn SS times larger without anti-aliasing and then box-averaged
# down: pixel-aligned edges stay sharp and slanted ones get even coverage.
#
# That renderer has limits worth knowing when editing the sources: give every
# shape an explicit fill and stroke, keep to flat colours (gradients and the
# opacity attribute come out wrong) and draw single pixels as paths, since a
# 1x1 rect is lost.
set -euo pipefail
cd "$(dirname "$0")/.."

svg=src/ui/assets/svg
out=src/ui/assets
readonly SS=8
# No timestamps or other metadata, so a re-render gives identical files.
readonly PNG_OPTS=(-strip -define "png:exclude-chunks=date,time")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# render SRC.svg WIDTH HEIGHT DEST (DEST may carry a PNG8:/PNG32: prefix)
# The renderer samples pixel centres at whole coordinates; drawing everything
# half a sample up and left puts shape edges on pixel boundaries instead.
render_raw() {
  local src=$1 w=$2 h=$3 dest=$4
  local vbw svgw shift density
  vbw=$(sed -n 's/.*viewBox="[-0-9.]* [-0-9.]* \([0-9.]*\) [0-9.]*".*/\1/p' "$src" | head -n1)
  svgw=$(sed -n 's/.*<svg[^>]* width="\([0-9.]*\)".*/\1/p' "$src" | head -n1)
  shift=$(awk -v v="$vbw" -v w="$w" -v k="$SS" 'BEGIN { printf "%.6f", -0.5 * v / (w * k) }')
  density=$(awk -v sw="$svgw" -v w="$w" -v k="$SS" 'BEGIN { printf "%.6f", 96 * w * k / sw }')
  sed "0,/<svg[^>]*>/s//&<g transform=\"translate($shift $shift)\">/; s|</svg>|</g></svg>|" \
    "$src" >"$work/in.svg"
  convert +antialias -density "$density" -background none "msvg:$work/in.svg" \
    -scale "${w}x${h}!" -depth 8 "$work/raw.png"
  convert "$work/raw.png" "${PNG_OPTS[@]}" "$dest"
}

# Full colour with alpha.
render() { render_raw "$svg/$1.svg" "$2" "$3" "PNG32:$out/$4.png"; }

# Disabled-state copy: no colour, lifted towards white, same transparency.
grey() {
  convert "$out/$1.png" -modulate 100,0 -channel RGB +level 38%,96% +channel \
    -depth 8 "${PNG_OPTS[@]}" "PNG32:$out/$2.png"
}

# The classic 16-colour palette.
convert xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' \
  xc:'#000080' xc:'#800080' xc:'#008080' xc:'#c0c0c0' \
  xc:'#808080' xc:'#ff0000' xc:'#00ff00' xc:'#ffff00' \
  xc:'#0000ff' xc:'#ff00ff' xc:'#00ffff' xc:'#ffffff' +append "$work/vga16.png"
convert xc:'#000000' xc:'#ffffff' +append "$work/mono.png"

# Flat-colour picture limited to PALETTE, each pixel either opaque or clear.
render_indexed() {
  local name=$1 w=$2 h=$3 dest=$4 palette=$5
  render_raw "$svg/$name.svg" "$w" "$h" "$work/full.png"
  convert "$work/full.png" -alpha off +dither -remap "$work/$palette.png" \
    \( "$work/full.png" -alpha extract -threshold 50% \) \
    -compose CopyOpacity -composite "${PNG_OPTS[@]}" "PNG8:$out/$dest.png"
}

# Main window buttons (24x24).
render nuevo 24 24 nuevo
grey nuevo nuevo_gris
render mostrar 24 24 mostrar
render calcular 24 24 calcular
render ajustar 24 24 ajustar
grey ajustar ajustar_gris
render salir 24 24 salir
grey salir salir_gris
for s in 16 24 32 48; do render "informacion$s" "$s" "$s" "informacion$s"; done

# Tip panel picture.
render_indexed bombilla 32 32 bombilla vga16

# Application icon: small sizes are drawn on their own pixel grid.
render sorvani16 16 16 sorvani16
render sorvani32 32 32 sorvani32
for s in 48 64 128 256; do render sorvani "$s" "$s" "sorvani$s"; done

# Cursors: two colours. Hot spots: cursor_mas (15,15), its centre; mano (9,0), the fingertip.
render_indexed cursor_mas 32 32 cursor_mas mono
render_indexed mano 32 32 mano mono

# About dialog.
render_raw "$svg/emblema.svg" 129 176 "$work/emblema.png"
convert "$work/emblema.png" -alpha off +dither -colors 256 "${PNG_OPTS[@]}" "PNG8:$out/emblema.png"
render_indexed info16 16 16 info16 vga16
render_indexed info32 32 32 info32 vga16
