# Sourced by the release checks: lv2_bundle_files FOLDER lists the LV2
# bundle's files under FOLDER, one a line.
lv2_bundle_files() {
  printf "$1/%s\n" licence.txt lumivane-dsp.so lumivane-ui.so lumivane.ttl manifest.ttl presets.ttl
}
