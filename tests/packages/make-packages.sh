#!/usr/bin/env bash
# Builds the test packages with the machine's own packaging tool:
#   make-packages.sh OUTPUT_FOLDER
# Each folder beside this script holds the sources of one package. The
# "many-locales" package, a large report of many locales and permissions, is
# generated here. framework-res.apk is copied as it is. For every package the
# tool's own badging report is saved beside it (NAME.badging, with its exit
# code in NAME.exitcode): the reference the tests compare with.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
framework=/usr/share/android-framework-res/framework-res.apk
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() {  # build NAME SOURCE_FOLDER
  aapt package -f -M "$2/AndroidManifest.xml" -S "$2/res" -I "$framework" -F "$out/$1.apk" >/dev/null
}

for source in "$here"/*/; do
  build "$(basename "$source")" "$source"
done

# Many locales and permissions: a report of several hundred lines.
many=$work/many-locales
mkdir -p "$many/res/values"
{
  echo '<?xml version="1.0" encoding="utf-8"?>'
  echo '<manifest xmlns:android="http://schemas.android.com/apk/res/android"'
  echo '    package="com.corvina.sample.many" android:versionCode="7" android:versionName="7.0">'
  echo '  <uses-sdk android:minSdkVersion="16" android:targetSdkVersion="28"/>'
  for i in $(seq 1 150); do echo "  <uses-permission android:name=\"com.corvina.sample.permission.P$i\"/>"; done
  echo '  <application android:label="@string/app_name">'
  echo '    <activity android:name=".Start"><intent-filter>'
  echo '      <action android:name="android.intent.action.MAIN"/>'
  echo '      <category android:name="android.intent.category.LAUNCHER"/>'
  echo '    </intent-filter></activity>'
  echo '  </application>'
  echo '</manifest>'
} > "$many/AndroidManifest.xml"
printf '<resources><string name="app_name">Many Locales 多语言</string></resources>\n' > "$many/res/values/strings.xml"
for locale in ar bg ca cs da de el en-rGB es et fa fi fr hi hr hu in it iw ja ko lt lv nb nl pl \
              pt-rBR pt-rPT ro ru sk sl sr sv th tl tr uk vi zh-rCN zh-rHK zh-rTW; do
  mkdir -p "$many/res/values-$locale"
  printf '<resources><string name="app_name">Many Locales (%s) 多语言</string></resources>\n' "$locale" \
    > "$many/res/values-$locale/strings.xml"
done
build many-locales "$many"

cp "$framework" "$out/framework-res.apk"

for apk in "$out"/*.apk; do
  name=${apk%.apk}
  set +e
  aapt dump badging "$apk" > "$name.badging" 2>&1
  echo $? > "$name.exitcode"
  set -e
done
