-- `scenario-tool lsp` with a real editor: Neovim's own language client (0.7 and later) opens a
-- train service with a misspelt keyword after a Windows-1252 letter, waits for the warning at
-- its line and column, applies the quick fix the server offers for it and waits for the
-- warning to go, asks for the hover of a station's position and for the outline, then stops
-- the server and checks that it ended with status 0. Every wait is for an event, with a
-- generous limit.
--
--   SCENARIO_TOOL=build/scenario-tool nvim --headless --clean -c 'luafile prova_neovim.lua'
--
-- Exits 0 when all holds, 1 with the reason on standard error otherwise.

local attesa_ms = 20000

local function fallisci(perche)
  io.stderr:write('prova_neovim: ' .. perche .. '\n')
  vim.cmd('cquit 1')
end

local function scrivi(percorso, byte)
  local f = assert(io.open(percorso, 'wb'))
  f:write(byte)
  f:close()
end

-- The station's name ends in "À" (0xC0 in Windows-1252); a misspelt signal follows it.
local stazione = 'stazione, 0, 8, 600, 0, 0, 0, 1,1,0, 4,1,1, 1, 8, 0, 0, CITT\192'
local treno = table.concat({
  '[generale]', 'sabbia, 10', '[stazioni]',
  stazione .. ', segnalle, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0',
  'stazione, 3600, 2, 600, 1, 1, 0, 1,1,0, 2,1,1, 0, 8, 4, 0, SECONDA', '[fine]', ''}, '\r\n')

-- The result of one request to the server, nil on an error or none within the limit.
local function chiedi(buffer, cliente, metodo, parametri)
  local risposte = vim.lsp.buf_request_sync(buffer, metodo, parametri, attesa_ms)
  local r = risposte and risposte[cliente]
  return r and r.result
end

local function prova()
  local strumento = os.getenv('SCENARIO_TOOL')
  if not strumento then return fallisci('SCENARIO_TOOL is not set') end
  local cartella = vim.fn.tempname()
  vim.fn.mkdir(cartella, 'p')
  scrivi(cartella .. '/R_linea.txt',
         '[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\n[fine]\r\n')
  scrivi(cartella .. '/R_7-.txt', treno)

  -- The sources are Windows-1252: read as such (and written back so), as docs/editori.md
  -- sets Neovim up.
  local codifiche
  vim.api.nvim_create_autocmd('BufReadPre', {pattern = {'*_linea.txt', '*-.txt'},
    callback = function()
      codifiche = vim.o.fileencodings
      vim.o.fileencodings = 'cp1252'
    end})
  vim.api.nvim_create_autocmd('BufReadPost', {pattern = {'*_linea.txt', '*-.txt'},
    callback = function() vim.o.fileencodings = codifiche end})
  local uscita = nil
  local cliente = vim.lsp.start_client({
    name = 'scenario-tool',
    cmd = {strumento, 'lsp'},
    root_dir = cartella,
    on_exit = function(codice) uscita = codice end,
  })
  if not cliente then return fallisci('the client did not start') end
  vim.cmd('edit ' .. vim.fn.fnameescape(cartella .. '/R_7-.txt'))
  local buffer = vim.api.nvim_get_current_buf()
  if vim.bo[buffer].fileencoding ~= 'cp1252' or vim.o.fileencodings ~= codifiche then
    return fallisci('read as ' .. vim.bo[buffer].fileencoding .. ', not cp1252')
  end
  vim.lsp.buf_attach_client(buffer, cliente)

  local arrivate = function() return #vim.diagnostic.get(buffer) > 0 or uscita ~= nil end
  if not vim.wait(attesa_ms, arrivate, 20) or uscita ~= nil then
    return fallisci('no diagnostics within ' .. attesa_ms .. ' ms (server status '
                    .. tostring(uscita) .. ')')
  end
  local d = vim.diagnostic.get(buffer)
  -- Column 63 in characters, 64 in the buffer's UTF-8 bytes: "À" takes two.
  local atteso = "unknown keyword `segnalle`, the record is skipped; did you mean `segnale`?"
  if #d ~= 1 or d[1].lnum ~= 3 or d[1].col ~= 64 or d[1].end_col ~= 72
      or d[1].severity ~= vim.diagnostic.severity.WARN or d[1].message ~= atteso then
    return fallisci('unexpected diagnostics: ' .. vim.inspect(d))
  end

  local documento = vim.lsp.util.make_text_document_params(buffer)
  local azioni = chiedi(buffer, cliente, 'textDocument/codeAction', {textDocument = documento,
    range = {start = {line = 3, character = 63}, ['end'] = {line = 3, character = 63}},
    context = {diagnostics = {}}})
  if not azioni or #azioni ~= 1 or azioni[1].title ~= 'write `segnale`' then
    return fallisci('unexpected code actions: ' .. vim.inspect(azioni))
  end
  vim.lsp.util.apply_workspace_edit(azioni[1].edit, 'utf-16')
  if not vim.wait(attesa_ms, function() return #vim.diagnostic.get(buffer) == 0 end, 20) then
    return fallisci('the diagnostics stayed: ' .. vim.inspect(vim.diagnostic.get(buffer)))
  end
  local riga = vim.api.nvim_buf_get_lines(buffer, 3, 4, false)[1]
  if riga ~= vim.fn.iconv(stazione, 'cp1252', 'utf-8') .. ', segnale, 1800, 2, 4, 0, 0, 0, 0, 0,0,0, 0' then
    return fallisci('the quick fix wrote: ' .. riga)
  end

  -- The second station's position: its field's meaning from the table.
  local aiuto = chiedi(buffer, cliente, 'textDocument/hover',
                       {textDocument = documento, position = {line = 4, character = 11}})
  local significato = 'where the station stands, from which its area is measured (multiple of 50)'
  if not aiuto or not string.find(aiuto.contents.value, significato, 1, true) then
    return fallisci('unexpected hover: ' .. vim.inspect(aiuto))
  end
  local simboli = chiedi(buffer, cliente, 'textDocument/documentSymbol', {textDocument = documento})
  local stazioni = {}
  for _, sezione in ipairs(simboli or {}) do
    if sezione.name == '[stazioni]' then
      for _, s in ipairs(sezione.children or {}) do table.insert(stazioni, s.name) end
    end
  end
  -- "CITTÀ" in UTF-8, as the protocol sends it.
  if table.concat(stazioni, '|') ~= 'CITT\195\128, 0 m|segnale, 1800 m|SECONDA, 3600 m' then
    return fallisci('unexpected outline: ' .. vim.inspect(simboli))
  end

  vim.lsp.stop_client(cliente)
  if not vim.wait(attesa_ms, function() return uscita ~= nil end, 20) then
    return fallisci('the server did not end')
  end
  if uscita ~= 0 then return fallisci('the server ended with status ' .. uscita) end
  vim.fn.delete(cartella, 'rf')
  vim.cmd('qall!')
end

local ok, errore = xpcall(prova, debug.traceback)
if not ok then fallisci(tostring(errore)) end
