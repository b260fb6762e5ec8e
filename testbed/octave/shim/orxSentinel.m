% Must never run: the injection attempts in folder names try to call it.
function orxSentinel(varargin)
  qv_record_line('sentinel');
end
