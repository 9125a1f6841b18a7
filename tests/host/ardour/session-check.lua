-- Headless session check, run by check-ardour through the host's Lua session tool.
--
-- Puts one plug-in on a stereo track fed by the dummy backend's sine generator, moves one parameter found
-- by its label, watches the track's peak meter follow, saves, closes and reloads the session and finds the
-- parameter's value back. Every failure prints one "FAIL:" line and exits with status 1.
--
-- Settings come from the environment:
--   CHECK_SESSION_DIR   folder for the session (must not exist yet)
--   CHECK_PLUGIN_TYPE   VST3, LV2, Lua or LADSPA
--   CHECK_PLUGIN_NAME   plug-in name (or the host's unique id of it)
--   CHECK_PARAM_LABEL   label of the parameter to move
--   CHECK_PARAM_VALUE   value to set, in the parameter's own units
--   CHECK_PARAM_RANGE   optional "lo:hi": the parameter's own range; when the host shows the parameter on a
--                       different scale (a normalised 0..1 one), the value is mapped linearly onto it
--   CHECK_EXPECT_DB     meter change the new value must cause, in dB
--   CHECK_TOLERANCE_DB  allowed deviation from CHECK_EXPECT_DB (default 1.5)
--   CHECK_INPUTS, CHECK_OUTPUTS  optional audio pin counts the plug-in insert must show
--   CHECK_HAS_PARAMS    optional labels, one a line, of further parameters that must exist

local SESSION_NAME = "check"
local TRACK_NAME = "Check"
local SIGNAL_FLOOR_DB = -60.0

local function say(msg)
  print("ok: " .. msg)
  io.stdout:flush()
end

local function fail(msg)
  print("FAIL: " .. msg)
  io.stdout:flush()
  os.exit(1)
end

local function env(name, fallback)
  local v = os.getenv(name)
  if v == nil or v == "" then
    if fallback == nil then fail("missing setting " .. name) end
    return fallback
  end
  return v
end

local function env_number(name, fallback)
  local s = env(name, fallback and tostring(fallback) or nil)
  local v = tonumber(s)
  if v == nil or v ~= v then fail(name .. " is not a number: " .. s) end
  return v
end

local function sleep_ms(ms)
  ARDOUR.LuaAPI.usleep(ms * 1000)
end

local cfg = {
  dir = env("CHECK_SESSION_DIR"),
  type_name = env("CHECK_PLUGIN_TYPE"),
  name = env("CHECK_PLUGIN_NAME"),
  label = env("CHECK_PARAM_LABEL"),
  value = env_number("CHECK_PARAM_VALUE"),
  range = os.getenv("CHECK_PARAM_RANGE") or "",
  expect_db = env_number("CHECK_EXPECT_DB"),
  tolerance_db = env_number("CHECK_TOLERANCE_DB", 1.5),
  inputs = tonumber(os.getenv("CHECK_INPUTS") or ""),
  outputs = tonumber(os.getenv("CHECK_OUTPUTS") or ""),
  has_params = {},
}
for label in (os.getenv("CHECK_HAS_PARAMS") or ""):gmatch("[^\n]+") do
  cfg.has_params[#cfg.has_params + 1] = label
end

local plugin_types = {
  VST3 = ARDOUR.PluginType.VST3,
  LV2 = ARDOUR.PluginType.LV2,
  Lua = ARDOUR.PluginType.Lua,
  LADSPA = ARDOUR.PluginType.LADSPA,
}
local plugin_type = plugin_types[cfg.type_name]
if plugin_type == nil then fail("unknown plug-in type " .. cfg.type_name) end

-- Finds the control input labelled `label`; returns its control index (what the parameter calls take),
-- the host's parameter id and the host's descriptor; fails when there is none.
local function find_param(proc, label)
  local plugin = proc:to_insert():plugin(0)
  local seen = {}
  for n = 0, plugin:parameter_count() - 1 do
    local id, ok = plugin:nth_parameter(n, true)
    if ok and ok[2] and plugin:parameter_is_input(id) and plugin:parameter_is_control(id) then
      local l = plugin:parameter_label(id)
      if l == label then
        local desc = ARDOUR.ParameterDescriptor()
        if plugin:get_parameter_descriptor(id, desc) ~= 0 then fail("no descriptor for parameter '" .. label .. "'") end
        return n, id, desc
      end
      if #seen < 60 then seen[#seen + 1] = "'" .. l .. "'" end
    end
  end
  fail("no parameter labelled '" .. label .. "' (found " .. table.concat(seen, ", ") .. ")")
end

-- The value to hand to the host for `value` given in the parameter's own units.
local function host_value(desc)
  if cfg.range == "" then return cfg.value end
  local lo, hi = cfg.range:match("^%s*([-+%d.eE]+)%s*:%s*([-+%d.eE]+)%s*$")
  lo, hi = tonumber(lo), tonumber(hi)
  if lo == nil or hi == nil or hi <= lo then fail("CHECK_PARAM_RANGE is not lo:hi: " .. cfg.range) end
  if math.abs(desc.lower - lo) < 1e-6 and math.abs(desc.upper - hi) < 1e-6 then return cfg.value end
  return desc.lower + (cfg.value - lo) / (hi - lo) * (desc.upper - desc.lower)
end

local function both_channels_db(track)
  local meter = track:peak_meter()
  local l = meter:meter_level(0, ARDOUR.MeterType.MeterPeak)
  local r = meter:meter_level(1, ARDOUR.MeterType.MeterPeak)
  return l, r
end

-- Peak of both channels over one fresh window, after letting the last change settle.
local function measure_db(track)
  sleep_ms(150)
  track:peak_meter():reset_max()
  sleep_ms(300)
  return both_channels_db(track)
end

local function fmt(v)
  return string.format("%.2f", v)
end

-- Waits until the sine reaches the meter on both channels; returns the level in dB.
local function wait_for_signal(track, what)
  for _ = 1, 20 do
    local l, r = measure_db(track)
    if l ~= l or r ~= r then fail(what .. ": the meter reads NaN (non-finite output)") end
    if l > SIGNAL_FLOOR_DB and r > SIGNAL_FLOOR_DB then
      if math.abs(l - r) > 3.0 then fail(what .. ": channels differ, L " .. fmt(l) .. " dB, R " .. fmt(r) .. " dB") end
      return (l + r) / 2
    end
  end
  -- The host's meter skips NaN samples, so a plug-in that outputs NaN lands here as well.
  fail(what .. ": no signal on the track meter after the plug-in (it outputs silence or NaN, or no input)")
end

-- Waits (bounded) until two windows in a row agree, so that a plug-in still settling (a compressor's
-- release, say) does not shift the reference; returns the steady level.
local function wait_for_steady(track, what)
  local last = wait_for_signal(track, what)
  for _ = 1, 20 do
    local l, r = measure_db(track)
    local level = (l + r) / 2
    if math.abs(level - last) <= 0.25 then return level end
    last = level
  end
  fail(what .. ": the level does not settle (last " .. fmt(last) .. " dB)")
end

-- Waits (bounded) for the meter to sit at `target` dB; gives up early once the level has held still
-- elsewhere for three windows. Returns the last level seen.
local function wait_for_level(track, target)
  local level, still = nil, 0
  for _ = 1, 20 do
    local l, r = measure_db(track)
    local now = (l + r) / 2
    if math.abs(now - target) <= cfg.tolerance_db then return now end
    if level ~= nil and math.abs(now - level) <= 0.1 then still = still + 1 else still = 0 end
    level = now
    if still >= 3 then break end
  end
  return level
end

local function monitor_input(track)
  track:to_track():monitoring_control():set_value(ARDOUR.MonitorChoice.MonitorInput,
                                                  PBD.GroupControlDisposition.NoGroup)
end

-- Rolls the transport for a moment: the plug-in then sees a playing transport, and must keep its level.
local function roll_transport(track, level)
  local from = Session:transport_sample()
  Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
  for _ = 1, 50 do
    if Session:transport_rolling() and Session:transport_sample() > from then break end
    sleep_ms(100)
  end
  if not Session:transport_rolling() then fail("the transport does not roll") end
  local rolling = wait_for_level(track, level)
  local to = Session:transport_sample()
  Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
  for _ = 1, 50 do
    if not Session:transport_rolling() then break end
    sleep_ms(100)
  end
  if Session:transport_rolling() then fail("the transport does not stop") end
  if math.abs(rolling - level) > cfg.tolerance_db then
    fail("while rolling the meter shows " .. fmt(rolling) .. " dB, stopped " .. fmt(level) .. " dB")
  end
  say("transport rolled " .. (to - from) .. " samples, meter steady at " .. fmt(rolling) .. " dB")
end

local function start_engine()
  local backend = AudioEngine:set_backend("None (Dummy)", "", "")
  if backend == nil or backend:isnil() then fail("the dummy audio backend is not available") end
  backend:set_device_name("Sine Wave")
  if AudioEngine:start(false) ~= 0 or not AudioEngine:running() then
    fail("the dummy audio backend does not start: " .. AudioEngine:get_last_backend_error())
  end
  say("dummy backend running with its sine generator")
end

local function check_pins(proc)
  local ins = proc:input_streams():n_audio()
  local outs = proc:output_streams():n_audio()
  if cfg.inputs and ins ~= cfg.inputs then fail("plug-in insert has " .. ins .. " audio inputs, expected " .. cfg.inputs) end
  if cfg.outputs and outs ~= cfg.outputs then
    fail("plug-in insert has " .. outs .. " audio outputs, expected " .. cfg.outputs)
  end
  say("plug-in insert pins: " .. ins .. " in, " .. outs .. " out")
end

-- First session: build, move the parameter, save. Returns the value set (host scale) and the level reached.
local function build_and_save()
  if create_session(cfg.dir, SESSION_NAME, 48000) == nil then fail("cannot create a session in " .. cfg.dir) end
  local tracks = Session:new_audio_track(2, 2, nil, 1, TRACK_NAME, ARDOUR.PresentationInfo.max_order,
                                         ARDOUR.TrackMode.Normal, true, false)
  if tracks:size() ~= 1 then fail("cannot add a stereo audio track") end
  local track = tracks:front():to_route()

  local proc = ARDOUR.LuaAPI.new_plugin(Session, cfg.name, plugin_type, "")
  if proc:isnil() then fail("the host does not know the " .. cfg.type_name .. " plug-in '" .. cfg.name .. "'") end
  if track:add_processor_by_index(proc, 0, nil, true) ~= 0 then fail("the plug-in cannot be added to a stereo track") end
  say("plug-in '" .. proc:display_name() .. "' on a stereo track")
  check_pins(proc)

  for _, label in ipairs(cfg.has_params) do
    find_param(proc, label)
    say("parameter '" .. label .. "' present")
  end
  local n, _, desc = find_param(proc, cfg.label)
  local target = host_value(desc)
  if target < desc.lower - 1e-9 or target > desc.upper + 1e-9 then
    fail("value " .. cfg.value .. " lies outside the host's range " .. desc.lower .. ".." .. desc.upper)
  end
  say("parameter '" .. cfg.label .. "' found, host range " .. desc.lower .. ".." .. desc.upper)

  monitor_input(track)
  local before = wait_for_steady(track, "before the change")
  if not ARDOUR.LuaAPI.set_processor_param(proc, n, target) then fail("the host refuses to set '" .. cfg.label .. "'") end
  local after = wait_for_level(track, before + cfg.expect_db)
  if math.abs(after - before - cfg.expect_db) > cfg.tolerance_db then
    fail("meter moved " .. fmt(after - before) .. " dB (" .. fmt(before) .. " -> " .. fmt(after) .. "), expected " ..
         fmt(cfg.expect_db) .. " +- " .. fmt(cfg.tolerance_db))
  end
  say("meter " .. fmt(before) .. " dB -> " .. fmt(after) .. " dB after '" .. cfg.label .. "' = " .. cfg.value)

  roll_transport(track, after)

  local now = ARDOUR.LuaAPI.get_processor_param(proc, n)
  if math.abs(now - target) > 1e-4 * math.max(1, math.abs(target)) then
    fail("'" .. cfg.label .. "' reads " .. now .. " right after setting " .. target)
  end
  if Session:save_state("", false, false, false, false, false) ~= 0 then fail("saving the session failed") end
  say("session saved")
  return target, after
end

-- Second session: reload, find the plug-in and the value, and the level it gives.
local function reload_and_compare(target, level)
  if load_session(cfg.dir, SESSION_NAME) == nil then fail("cannot reload the saved session") end
  local route = Session:route_by_name(TRACK_NAME)
  if route:isnil() then fail("the reloaded session has no track '" .. TRACK_NAME .. "'") end
  local proc = route:nth_plugin(0)
  if proc:isnil() then fail("the reloaded track has no plug-in") end
  local pi = proc:to_insert()
  if pi:isnil() or pi:plugin(0):isnil() then fail("the reloaded plug-in is missing (" .. proc:display_name() .. ")") end
  local n = find_param(proc, cfg.label)
  local back = ARDOUR.LuaAPI.get_processor_param(proc, n)
  if math.abs(back - target) > 1e-4 * math.max(1, math.abs(target)) then
    fail("after reload '" .. cfg.label .. "' is " .. back .. ", saved " .. target)
  end
  say("after reload '" .. cfg.label .. "' = " .. back .. " (host scale)")

  monitor_input(route)
  wait_for_signal(route, "after reload")
  local again = wait_for_level(route, level)
  if math.abs(again - level) > cfg.tolerance_db then
    fail("after reload the meter shows " .. fmt(again) .. " dB, before saving " .. fmt(level) .. " dB")
  end
  say("after reload the meter shows " .. fmt(again) .. " dB again")
end

start_engine()
local target, level = build_and_save()
-- Lua must hold no session object when the session closes.
collectgarbage()
close_session()
say("session closed")
reload_and_compare(target, level)
collectgarbage()
close_session()
say("session check passed")
