-- Renders a steady sine through a plug-in in a headless Ardour session, once
-- at each session tempo given.
--   ardour7-lua ardour-render.lua FOLDER TYPE ID SECONDS TEMPOS PARAMETERS
-- TYPE is an ARDOUR.PluginType name (LV2, LXVST), ID the plug-in's URI or
-- name, TEMPOS a list like "120,90", PARAMETERS a list like "0=3,1=100" of
-- control indices and values. Writes FOLDER/tempoBPM.wav, 32-bit float.
local folder, pluginType, pluginId, seconds, tempos, parameters = table.unpack(arg, 1, 6)
local kRate = 48000
-- The export preset the calling script puts into Ardour's configuration.
local kFloatWavPreset = "0b1d4f3e-5a8c-4f6b-9c2d-6e7a8b9c0d1e"

-- The error ends ardour7-lua with status 1, its message in the log.
local function fail(message) error("FAILED: " .. message, 0) end

local backend = AudioEngine:set_backend("None (Dummy)", "", "")
if not backend or backend:set_device_name("Silence") ~= 0 or AudioEngine:start(false) ~= 0 then
  fail("the dummy audio engine does not start")
end
local session = create_session(folder .. "/session", "render", kRate)
if not session then fail("no session") end

local track = session:new_audio_track(2, 2, nil, 1, "Render", ARDOUR.PresentationInfo.max_order,
                                      ARDOUR.TrackMode.Normal, false, false):front()
-- Ardour's own sine generator feeds the plug-in: 1 kHz at -12 dBFS.
local sine = ARDOUR.LuaAPI.new_luaproc(session, "SinGen")
if sine:isnil() then fail("no SinGen generator") end
ARDOUR.LuaAPI.set_processor_param(sine, 0, 1000)
ARDOUR.LuaAPI.set_processor_param(sine, 1, -12)
track:add_processor_by_index(sine, 0, nil, true)

local plugin = ARDOUR.LuaAPI.new_plugin(session, pluginId, ARDOUR.PluginType[pluginType], "")
if plugin:isnil() then fail("Ardour finds no " .. pluginType .. " plug-in " .. pluginId) end
if track:add_processor_by_index(plugin, 1, nil, true) ~= 0 then fail("the plug-in does not fit the track") end
print("loaded " .. plugin:to_insert():plugin(0):name())
for index, value in parameters:gmatch("(%d+)=([-%d.]+)") do
  if not ARDOUR.LuaAPI.set_processor_param(plugin, tonumber(index), tonumber(value)) then
    fail("control " .. index .. " refuses " .. value)
  end
end

for bpm in tempos:gmatch("%d+") do
  local map = Temporal.TempoMap.fetch_writable()
  map:set_tempo(Temporal.Tempo(tonumber(bpm), tonumber(bpm), 4), Temporal.timepos_t(0))
  Temporal.TempoMap.update(map)
  local export = session:simple_export()
  export:set_folder(folder)
  export:set_name("tempo" .. bpm)
  export:set_range(0, math.floor(tonumber(seconds) * kRate))
  if not export:set_preset(kFloatWavPreset) or not export:run_export() then fail("the export at " .. bpm .. " BPM") end
  print("rendered tempo" .. bpm .. ".wav")
end
close_session()
quit()
