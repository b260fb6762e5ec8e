% Lets one Octave process evaluate many refresh statements: "quit force" records that it was
% reached and starts the next statement with MATLAB's path as it was at start-up.
function quit(varargin)
  qv_record_line(['quit' char(9) strjoin(varargin, ' ')]);
  clear path;
end
