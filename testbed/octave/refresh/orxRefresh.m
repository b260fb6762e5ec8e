% Records what it was called with: its three arguments and MATLAB's path at the moment of the
% call, each as the hex of its bytes (Octave holds text as UTF-8 bytes), so every character
% comes back exactly. With QV_ORX_REFRESH_FAIL set it then fails, as a broken refresh would.
function orxRefresh(connectorLocation, tag, orxMatlabFolder)
  hex = @(s) sprintf('%02x', uint8(s));
  qv_record_line(['refresh' char(9) hex(connectorLocation) char(9) hex(tag) char(9) ...
                  hex(orxMatlabFolder) char(9) hex(path)]);
  if ~isempty(getenv('QV_ORX_REFRESH_FAIL'))
    error('orxRefresh:failed', 'orxRefresh failed on request');
  end
end
